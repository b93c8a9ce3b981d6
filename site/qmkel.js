/* The members of the office system's browser that the page's JavaScript uses and other browsers
   lack: removeNode(deep), which takes an element out of the page (the delete links of detail and
   attachment rows call it). With deep false the element's children stay in its place. */
if (typeof Element !== 'undefined' && !Element.prototype.removeNode) {
  Element.prototype.removeNode = function (deep) {
    var parent = this.parentNode;
    if (!parent) return this;
    if (!deep) {
      while (this.firstChild) parent.insertBefore(this.firstChild, this);
    }
    parent.removeChild(this);
    return this;
  };
}
