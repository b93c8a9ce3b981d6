/* The dialog library: new J.ui.dialog({ title, page, drag, cover, btns, width, height }) and its
   ShowDialog(), as the page's openFlow uses them: a framed page in a box over the window,
   optionally over a cover that blocks the page, optionally dragged by its title bar. */
J.ui.dialog = function (options) {
  this.options = options || {};
};

J.ui.dialog.prototype.ShowDialog = function () {
  var o = this.options, self = this;
  var width = Math.max(Number(o.width) || 400, 200), height = Math.max(Number(o.height) || 300, 120);
  if (o.cover) this.cover = J.make('div', 'lhgdg_cover', document.body);
  var box = this.box = J.make('div', 'lhgdialog', document.body);
  box.style.width = width + 'px';
  box.style.height = height + 'px';
  box.style.left = Math.max((window.innerWidth - width) / 2, 0) + 'px';
  box.style.top = Math.max((window.innerHeight - height) / 2, 0) + 'px';
  var bar = J.make('div', 'lhgdg_title', box);
  J.make('span', 'lhgdg_text', bar).appendChild(document.createTextNode(o.title || ''));
  var close = J.make('a', 'lhgdg_close', bar);
  close.href = 'javascript:void(0)';
  close.title = '\u5173\u95ed';
  close.appendChild(document.createTextNode('\u00d7'));
  J.on(close, 'click', function () { self.cancel(); });
  var body = J.make('div', 'lhgdg_body', box);
  if (o.page) {
    var frame = J.make('iframe', 'lhgdg_frame', body);
    frame.frameBorder = '0';
    frame.src = o.page;
  } else if (o.html) {
    body.innerHTML = o.html;
  }
  if (o.drag) this.dragBy(bar);
  return this;
};

// Closes the dialog and its cover.
J.ui.dialog.prototype.cancel = function () {
  if (this.box && this.box.parentNode) this.box.parentNode.removeChild(this.box);
  if (this.cover && this.cover.parentNode) this.cover.parentNode.removeChild(this.cover);
  this.box = this.cover = null;
};

J.ui.dialog.prototype.dragBy = function (handle) {
  var box = this.box, startX, startY, left, top;
  function move(e) {
    box.style.left = left + e.clientX - startX + 'px';
    box.style.top = Math.max(top + e.clientY - startY, 0) + 'px';
  }
  function stop() {
    J.off(document, 'mousemove', move);
    J.off(document, 'mouseup', stop);
  }
  handle.style.cursor = 'move';
  J.on(handle, 'mousedown', function (e) {
    startX = e.clientX; startY = e.clientY;
    left = box.offsetLeft; top = box.offsetTop;
    J.on(document, 'mousemove', move);
    J.on(document, 'mouseup', stop);
    e.preventDefault();
  });
};
