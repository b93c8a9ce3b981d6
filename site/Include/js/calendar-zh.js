/* The calendar's Chinese texts: day and month names, and its buttons. */
var CalendarText = {
  days: ['\u65e5', '\u4e00', '\u4e8c', '\u4e09', '\u56db', '\u4e94', '\u516d'],
  months: ['\u4e00\u6708', '\u4e8c\u6708', '\u4e09\u6708', '\u56db\u6708', '\u4e94\u6708', '\u516d\u6708', '\u4e03\u6708', '\u516b\u6708', '\u4e5d\u6708', '\u5341\u6708', '\u5341\u4e00\u6708', '\u5341\u4e8c\u6708'],
  today: '\u4eca\u5929',
  clear: '\u6e05\u7a7a',
  close: '\u5173\u95ed',
  ok: '\u786e\u5b9a'
};
