/* Tab panes for form templates: a div of class "tab-pane" holding divs of class "tab-page", each
   opened by a heading of class "tab" (h2), becomes a row of tabs over the pages, one page shown
   at a time. Runs once the page has loaded. */
function setupAllTabs() {
  var panes = document.querySelectorAll('div.tab-pane');
  for (var p = 0; p < panes.length; p++) setupTabPane(panes[p]);
}

function setupTabPane(pane) {
  if (pane.getAttribute('data-tabs')) return;
  pane.setAttribute('data-tabs', '1');
  var row = document.createElement('div');
  row.className = 'tab-row';
  pane.insertBefore(row, pane.firstChild);
  var pages = [], tabs = [];
  for (var c = pane.firstChild; c; c = c.nextSibling) {
    if (c.nodeType === 1 && /(^|\s)tab-page(\s|$)/.test(c.className)) pages.push(c);
  }
  function select(index) {
    for (var i = 0; i < pages.length; i++) {
      pages[i].style.display = i === index ? '' : 'none';
      tabs[i].className = i === index ? 'tab selected' : 'tab';
    }
  }
  pages.forEach(function (page, index) {
    var heading = page.querySelector('.tab');
    var tab = document.createElement('span');
    tab.appendChild(document.createTextNode(heading ? heading.textContent : String(index + 1)));
    if (heading) heading.style.display = 'none';
    tab.onclick = function () { select(index); };
    row.appendChild(tab);
    tabs.push(tab);
  });
  if (pages.length) select(0);
}

window.addEventListener('load', setupAllTabs, false);
