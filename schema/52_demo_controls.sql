-- Demo data: a workflow on the purchase-request form whose nodes let the user edit every field,
-- so that one page shows the editable control of each of the 19 field types and an editable
-- detail table.
--
--   workflow model 4 "控件演示流程", nodes 10 (start) and 11, both editing fields 1 to 24
--   new record:    /flow/BiaoDanTianXie.asp?LiuChengID=4
--   stored record: /flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=2&JieDianID=11
--                  (record 2, submitted by lisi at node 10, waiting at node 11 for zhangsan, with
--                  stored opinions, files, a picture, a signature and three detail rows)

INSERT INTO OA_Flow_Model_Header (OAID, Name, BiaoDanID, TiaoJian, TiaoJianDis, IsOn, isSystem,
  Manager, chufaflow, isTongZhi, parentID, Remark) VALUES
  (4, '控件演示流程', 1, '', '', '1', '1', ';admin;', '0', '0', 0, '每个字段都可编辑');

-- The two nodes copy the start node of model 1 and widen its editable fields.
CREATE TEMP TABLE demo_control_nodes AS SELECT * FROM OA_Flow_Model_JieDian WHERE OAID = 1;
INSERT INTO demo_control_nodes SELECT * FROM OA_Flow_Model_JieDian WHERE OAID = 1;
UPDATE demo_control_nodes SET OAID = 10 + (rowid - 1), MOAID = 4,
  JieDianName = CASE rowid WHEN 1 THEN '填写全部字段' ELSE '审核全部字段' END,
  isFirst = CASE rowid WHEN 1 THEN '1' ELSE '3' END,
  JiaoSeUserList = CASE rowid WHEN 1 THEN ';lisi;zhangsan;' ELSE ';zhangsan;' END,
  EditFields = '-1,-2,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24';
INSERT INTO OA_Flow_Model_JieDian SELECT * FROM demo_control_nodes;
DROP TABLE demo_control_nodes;

INSERT INTO OA_Flow_Model_JieDian_ConnectTiaoJian (OAID, MOAID, FromID, ToID, TiaoJian) VALUES
  (8, 4, 10, 11, '');

-- Record 2: every field stored.
INSERT INTO OA_FLOW_1_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
  CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML, ShuoMing, JiaJi, LeiBie, YuSuanNei,
  XuQiuRiQi, JinJiChengDu, BuMenYiJian, LingDaoQianZi, ShenQingBuMen, GongYingShang,
  GongYingShangvalue, JingBanRen, BaoJiaDan, BaoJiaDanTitle, BaoJiaDanContent, FuJianQingDan,
  ChanPinTuPian, QianMingWenJian, BeiZhu, LiuShuiHao, XiangGuanLianJie, LianXiYouXiang, QMJinE,
  "QM名称", "QM数量", "QM单价", NeiBuBeiZhu) VALUES
  (2, 'CG-2011-002', '控件演示（李四, 2011-09-05 10:00）', 'lisi', '2011-09-05 10:00:00', '0',
   '11', 'lisi201109051000', 4, '',
   '<P>演示<B>富文本</B>内容。</P>', '1', '办公设备', '否', '2011-9-20 9:30', '特急', NULL, NULL,
   '财务部\会计组', '<B>东方办公</B>&nbsp;供应商', '18', '王五',
   NULL, '演示报价.xls', x'd0cf11e0a1b11ae1', NULL, x'89504e470d0a1a0a', '1',
   '第一行' || char(13) || char(10) || '第二行', 'CG-2011-002',
   'http://www.example.com/demo', 'wangwu@example.com', '3180',
   '打印机, 墨盒◆黑色 ,纸张', '1,4,10', '2100,120,30', '内部说明');

INSERT INTO OA_FLOW_1_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen,
  BanLiShiJian, BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (3, '2', 10, 'lisi', '2011-09-05 10:00:00', '11', '请审核。', '', '');

INSERT INTO OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser,
  BanLiType) VALUES ('1', '2', '11', 'zhangsan', 'lisi', '0');

INSERT INTO OA_Flow_YiJian (BiaoDanID, BiaoDanRecordID, FieldID, YiJian, UserName, ShiJian) VALUES
  ('1', '2', '7', '请按演示流程审核。', 'lisi', '2011-09-05 10:00:00'),
  ('1', '2', '8', '', 'lisi', '2011-09-05 10:01:00');

INSERT INTO OA_Flow_FuJian (BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, FileName, FileContent,
  ShuoMing1, ShuoMing2, ShuoMing3) VALUES
  ('1', '2', 0, '13', '演示清单.doc', x'd0cf11e0a1b11ae1', '清单', '3', ''),
  ('1', '2', 0, '13', '演示合同.pdf', x'255044462d312e34', '合同', '12', ''),
  ('1', '2', 0, '13', '演示照片.jpg', x'ffd8ffe000104a46', '照片', '1', '');
