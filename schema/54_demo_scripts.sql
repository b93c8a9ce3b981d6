-- Demo rows for the page's closing scripts: more common opinions, a category for the search
-- lists, and a pre-check block at the department review that the browser can post (the
-- members of an object, as flowdo.asp receives them).
INSERT INTO OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber, ZDCode) VALUES
  (40, '已阅', 1, '1', 4, 'YY'),
  (41, '请尽快办理', 1, '1', 5, 'JK'),
  (42, '付款方式', 0, '0', 5, NULL),
  (43, '转账', 42, '1', 1, 'ZZ'),
  (44, '现金', 42, '1', 2, 'XJ');

UPDATE OA_Flow_Model_JieDian
SET Remark = '部门经理审核采购申请。' || char(13) || char(10) ||
  '<VB>' || char(13) || char(10) ||
  'If document.all("zd20").value = "" Then' || char(13) || char(10) ||
  '  MsgBox "请填写金额"' || char(13) || char(10) ||
  'End If' || char(13) || char(10) || '</VB>' || char(13) || char(10) ||
  '<PRE>op:''shenhe'',' || char(13) || char(10) || 'JieDian:''部门审核''</PRE>' || char(13) ||
  char(10) || '<PASP>JinE=zd20</PASP>'
WHERE OAID = 2;
