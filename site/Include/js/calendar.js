/* The date picker of the date and time fields: showCalendarFormID(formName, fieldName, format,
   hours) opens a month calendar under the field of that form; choosing a day writes the date
   into the field in `format` (%Y %m %d %H %M %S, as the field's stored format says). With %H or
   %M in the format it also offers the hour and minute, in 24 hours (hours "24") or 12. */
var CalendarText = window.CalendarText || {
  days: ['Su', 'Mo', 'Tu', 'We', 'Th', 'Fr', 'Sa'],
  months: ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec'],
  today: 'Today', clear: 'Clear', close: 'Close', ok: 'OK'
};

function calendarPad(n) { return (n < 10 ? '0' : '') + n; }

// The date as `format` writes it.
function calendarFormat(date, format) {
  var parts = { Y: date.getFullYear(), m: calendarPad(date.getMonth() + 1), d: calendarPad(date.getDate()),
    H: calendarPad(date.getHours()), M: calendarPad(date.getMinutes()), S: calendarPad(date.getSeconds()) };
  return (format || '%Y-%m-%d').replace(/%([YmdHMS])/g, function (all, key) { return parts[key]; });
}

// The date a field holds ("2011-09-02", "2011/9/2 10:30"), or now when it holds none.
function calendarParse(text) {
  var m = /(\d{4})\D(\d{1,2})\D(\d{1,2})(?:\D+(\d{1,2})\D(\d{1,2}))?/.exec(text || '');
  if (!m) return new Date();
  return new Date(+m[1], m[2] - 1, +m[3], +(m[4] || 0), +(m[5] || 0));
}

function showCalendarFormID(formName, fieldName, format, hours) {
  var form = document.forms[formName], field = form && form.elements[fieldName];
  if (!field) return;
  if (field.length && !field.tagName) field = field[0];
  var old = document.getElementById('calendarBox');
  if (old) old.parentNode.removeChild(old);
  var withTime = /%[HM]/.test(format || ''), shown = calendarParse(field.value), chosen = new Date(shown);
  var box = document.createElement('div');
  box.id = 'calendarBox';
  box.className = 'calendar';
  var rect = field.getBoundingClientRect();
  box.style.left = rect.left + window.pageXOffset + 'px';
  box.style.top = rect.bottom + window.pageYOffset + 'px';
  document.body.appendChild(box);

  function close() { if (box.parentNode) box.parentNode.removeChild(box); }
  function choose(date) {
    field.value = calendarFormat(date, format);
    close();
  }
  function option(select, value, text) {
    var o = document.createElement('option');
    o.value = value; o.text = text; select.add(o);
  }
  function timeSelect(count, value) {
    var select = document.createElement('select');
    for (var i = 0; i < count; i++) option(select, i, calendarPad(i));
    select.value = value;
    return select;
  }
  function draw() {
    var y = shown.getFullYear(), m = shown.getMonth();
    var html = '<table cellspacing=0 cellpadding=2><tr class=calendarHead>' +
      '<td><a href="#" data-step="-1">&lt;</a></td><td colspan=5>' + y + ' ' + CalendarText.months[m] +
      '</td><td><a href="#" data-step="1">&gt;</a></td></tr><tr class=calendarDays>';
    for (var d = 0; d < 7; d++) html += '<td>' + CalendarText.days[d] + '</td>';
    html += '</tr><tr>';
    var first = new Date(y, m, 1).getDay(), last = new Date(y, m + 1, 0).getDate();
    for (var i = 0; i < first; i++) html += '<td></td>';
    for (var day = 1; day <= last; day++) {
      if ((first + day - 1) % 7 === 0 && day > 1) html += '</tr><tr>';
      var today = y === chosen.getFullYear() && m === chosen.getMonth() && day === chosen.getDate();
      html += '<td><a href="#" data-day="' + day + '"' + (today ? ' class=calendarChosen' : '') + '>' + day + '</a></td>';
    }
    html += '</tr></table><div class=calendarFoot></div>';
    box.innerHTML = html;
    var foot = box.lastChild;
    if (withTime) {
      var hour = timeSelect(hours === '12' ? 12 : 24, chosen.getHours() % (hours === '12' ? 12 : 24));
      var minute = timeSelect(60, chosen.getMinutes());
      foot.appendChild(hour); foot.appendChild(document.createTextNode(':')); foot.appendChild(minute);
      box.hourSelect = hour; box.minuteSelect = minute;
    }
    [['today', function () { choose(new Date()); }], ['clear', function () { field.value = ''; close(); }],
      ['close', close]].forEach(function (b) {
      var button = document.createElement('button');
      button.type = 'button';
      button.appendChild(document.createTextNode(CalendarText[b[0]]));
      button.onclick = b[1];
      foot.appendChild(button);
    });
  }
  box.onclick = function (e) {
    var a = e.target.closest ? e.target.closest('a') : e.target;
    if (!a || a.tagName !== 'A') return;
    e.preventDefault();
    if (a.getAttribute('data-step')) {
      shown = new Date(shown.getFullYear(), shown.getMonth() + Number(a.getAttribute('data-step')), 1);
      draw();
    } else {
      var date = new Date(shown.getFullYear(), shown.getMonth(), Number(a.getAttribute('data-day')));
      if (withTime) date.setHours(Number(box.hourSelect.value), Number(box.minuteSelect.value));
      choose(date);
    }
  };
  draw();
}
