/* The calendar's Chinese texts: day and month names, and its buttons. */
var CalendarText = {
  days: ['日', '一', '二', '三', '四', '五', '六'],
  months: ['一月', '二月', '三月', '四月', '五月', '六月', '七月', '八月', '九月', '十月', '十一月', '十二月'],
  today: '今天',
  clear: '清空',
  close: '关闭',
  ok: '确定'
};
