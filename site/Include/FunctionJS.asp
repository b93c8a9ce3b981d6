/* The site's shared client functions that the page calls: ReplaceAll, used by the added rows of
   multi-attachment fields, and TianChongSpace, which the print scripts run on a workflow table
   so that its empty cells keep their borders. */

// The text with every occurrence of `find` replaced by `replacement` (no pattern characters).
function ReplaceAll(text, find, replacement) {
  text = String(text);
  find = String(find);
  if (find === '') return text;
  return text.split(find).join(String(replacement));
}

// Puts a non-breaking space into every empty cell of the table with that id or name.
function TianChongSpace(tableName) {
  var table = document.getElementById(tableName) || document.getElementsByName(tableName)[0];
  if (!table || !table.getElementsByTagName) return;
  var cells = table.getElementsByTagName('td');
  for (var i = 0; i < cells.length; i++) {
    if (cells[i].innerHTML.replace(/\s+/g, '') === '') cells[i].innerHTML = '&nbsp;';
  }
}
