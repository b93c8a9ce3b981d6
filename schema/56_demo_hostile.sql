-- Demo rows whose stored texts try to break out of the page: markup, quotes, ampersands,
-- script ends, comment openings, line breaks and a javascript: link, in every column the page
-- writes, so the pages show each text exactly as typed and no script of them runs:
--   user ceshi (a hostile display name) in department 8 (a hostile name), who submitted
--   record 3 (read-only at node 2):  /flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=3&JieDianID=2
--   record 4 (editable at node 11):  /flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=4&JieDianID=11
--   record 2 of form 2 (an office document with bookmarks at node 9):
--                                    /flow/BiaoDanTianXie.asp?BiaoDanID=2&BiaoDanRecordID=2&JieDianID=9
--   node 12 of model 4 (a hostile name), the successor of node 11, where zhangsan saved a step
--   of record 4 with an attachment (reopened):
--        /flow/BiaoDanTianXie.asp?BanLiID=33&BiaoDanID=1&BiaoDanRecordID=4&JieDianID=12

INSERT INTO KE_Department (DepartMentID, ParentID, DepartName, OrderNumber) VALUES
  (8, 1, '测试部<img src=y onerror=alert(11)>', 8);
INSERT INTO KE_UserInfor (OAID, UserName, TureName, DepartMentID, Mobile, myField1, myField2,
  faceImg, IPAddress, AccountState, OrderNumber) VALUES
  (11, 'ceshi', '测试"</script><!--<script>alert(12)</script>', 8, '13800000011', NULL, NULL,
   NULL, NULL, '1', 11);

-- Records 3 and 4 hold the same texts; the rich-text field and the HTML look-up hold markup by
-- design, so theirs is harmless markup with character references in it.
CREATE TEMP TABLE demo_hostile AS SELECT * FROM OA_FLOW_1_Main WHERE OAID = 2;
UPDATE demo_hostile SET OAID = 3, CurrentJieDianIDs = '2', LiuChengID = 1,
  CodeNumber = 'CG<b>&amp;003</b>',
  FileTile = '标题''"<!--<script>alert(13)</script>',
  TiJiaoRen = 'ceshi',
  ContentHTML = '<P>a &lt; b &amp; c</P>',
  ShuoMing = '<P>&lt;script&gt;alert(14)&lt;/script&gt; a &lt; b</P>',
  JiaJi = '1"><script>alert(15)</script>',
  LeiBie = '办公设备''><img src=y onerror=alert(16)>',
  YuSuanNei = '否"</script>',
  XuQiuRiQi = '2011-9-20<script>alert(17)</script>',
  JinJiChengDu = '特急</td></tr></table><script>alert(18)</script>',
  ShenQingBuMen = '财务部''" onfocus=''alert(19)',
  GongYingShang = '<B>东方办公</B>&nbsp;&amp;amp;',
  GongYingShangvalue = '18'' onclick=''alert(20)',
  JingBanRen = '王五<!--<script>',
  BaoJiaDanTitle = '<img src=y onerror=alert(21)>.xls',
  BeiZhu = '第一行</textarea><script>alert(22)</script>' || char(13) || char(10) ||
           '&lt;第二行&gt;  <br>',
  LiuShuiHao = 'CG''"<script>alert(23)</script>',
  XiangGuanLianJie = 'javascript:alert(24)',
  LianXiYouXiang = 'a@example.com''><script>alert(25)</script>',
  QMJinE = '3180{%20%}<img src=y onerror=alert(26)>',
  "QM名称" = '<img src=y onerror=alert(27)>,墨盒&amp;',
  "QM数量" = '1,"><script>alert(28)</script>',
  "QM单价" = '2100,</textarea>',
  QianMingWenJian = '1''><script>alert(38)</script>',
  NeiBuBeiZhu = '<script>alert(29)</script>';
INSERT INTO OA_FLOW_1_Main SELECT * FROM demo_hostile;
UPDATE demo_hostile SET OAID = 4, CurrentJieDianIDs = '11', LiuChengID = 4;
INSERT INTO OA_FLOW_1_Main SELECT * FROM demo_hostile;
DROP TABLE demo_hostile;

CREATE TEMP TABLE demo_hostile_node AS SELECT * FROM OA_Flow_Model_JieDian WHERE OAID = 11;
UPDATE demo_hostile_node SET OAID = 12, JieDianName = '复核<b>"&amp;''</script><!--<script>';
INSERT INTO OA_Flow_Model_JieDian SELECT * FROM demo_hostile_node;
DROP TABLE demo_hostile_node;
INSERT INTO OA_Flow_Model_JieDian_ConnectTiaoJian (OAID, MOAID, FromID, ToID, TiaoJian) VALUES
  (9, 4, 11, 12, '');

INSERT INTO OA_FLOW_1_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen, BanLiShiJian,
  BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (33, '4', 12, 'zhangsan', '2011-09-06 10:20:00', '12', '复核<b>', '', ''),
  (30, '3', 1, 'ceshi', '2011-09-06 10:00:00', '2', '请审核<script>alert(30)</script>', '', ''),
  (31, '4', 10, 'ceshi', '2011-09-06 10:00:00', '11', '请审核<!--<script>', '', ''),
  (32, '3', 2, 'ceshi', '2011-09-06 10:30:00', '3', '', '', '');

INSERT INTO OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser,
  BanLiType) VALUES
  ('1', '3', '2', 'zhangsan', 'ceshi', '0'),
  ('1', '3', '2', 'ceshi', 'ceshi', '0'),
  ('1', '4', '11', 'zhangsan', 'ceshi', '0'),
  ('2', '2', '9', 'zhangsan', 'ceshi', '0');

INSERT INTO OA_Flow_YiJian (BiaoDanID, BiaoDanRecordID, FieldID, YiJian, UserName, ShiJian) VALUES
  ('1', '3', '7', '同意<img src=y onerror=alert(31)>' || char(13) || char(10) || '</script>',
   'ceshi', '2011-09-06 10:00:00'),
  ('1', '3', '8', '', 'ceshi', '2011-09-06<script>alert(32)</script>'),
  ('1', '4', '7', '<!--<script>alert(33)', 'ceshi', '2011-09-06 10:00:00');

INSERT INTO OA_Flow_FuJian (BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, FileName, FileContent,
  ShuoMing1, ShuoMing2, ShuoMing3) VALUES
  ('1', '3', 0, '13', '<img src=y onerror=alert(34)>.doc', x'd0cf11e0a1b11ae1',
   '说明''"</script>', '<script>alert(35)</script>', ''),
  ('1', '4', 0, '13', '清单<!--<script>.doc', x'd0cf11e0a1b11ae1',
   '<img src=y onerror=alert(36)>', '3&amp;', ''),
  ('1', '4', 33, '', '复核<img src=y onerror=alert(39)>.doc', x'd0cf11e0a1b11ae1',
   '说明''"&amp;</script><!--<script>', '', '');

INSERT INTO OA_FLOW_2_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
  CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML) VALUES
  (2, '发<!--<script>', '通知"</script><script>alert(37)</script>' || char(13) || char(10) ||
   '<!--<script>', 'ceshi', '2011-09-06 11:00:00', '0', '9', 'ceshi"<!--<script>', 3, '');

INSERT INTO OA_FLOW_2_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen, BanLiShiJian,
  BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (30, '2', 8, 'ceshi', '2011-09-06 11:00:00', '9', '请签发。', '', '');
