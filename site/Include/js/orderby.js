/* Sorting of list tables by a click on a column heading: sortMyTable(cell) orders the rows of the
   table's body by that column, numbers as numbers and texts as texts; a second click on the same
   heading reverses the order. The heading shows the direction in a span of class "arrow". */
function sortMyTable(cell) {
  var table = cell;
  while (table && table.tagName !== 'TABLE') table = table.parentNode;
  if (!table || !table.tBodies.length) return;
  var body = table.tBodies[0], column = cell.cellIndex;
  var descending = table.getAttribute('data-sorted') === String(column) && table.getAttribute('data-order') !== 'desc';
  var rows = Array.prototype.slice.call(body.rows);
  function key(row) {
    var text = row.cells[column] ? row.cells[column].textContent.trim() : '';
    return text !== '' && !isNaN(Number(text)) ? Number(text) : text;
  }
  rows.sort(function (a, b) {
    var x = key(a), y = key(b), order;
    if (typeof x === 'number' && typeof y === 'number') order = x - y;
    else order = String(x).localeCompare(String(y));
    return descending ? -order : order;
  });
  rows.forEach(function (row) { body.appendChild(row); });
  table.setAttribute('data-sorted', String(column));
  table.setAttribute('data-order', descending ? 'desc' : 'asc');
  var arrows = table.querySelectorAll('thead .arrow');
  for (var i = 0; i < arrows.length; i++) arrows[i].parentNode.removeChild(arrows[i]);
  var arrow = document.createElement('span');
  arrow.className = 'arrow';
  arrow.appendChild(document.createTextNode(descending ? '\u25bc' : '\u25b2'));
  cell.appendChild(arrow);
}
