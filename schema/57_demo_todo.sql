-- Demo rows for the other kinds of to-do entry and of new flow:
--   record 5 of form 1, waiting at node 3 "财务审核" for wangwu, who asked zhangsan for his
--   opinion: zhangsan's only entry is the consultation to answer
--   /flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=5&JieDianID=3
--   (zhangsan's department review of it, with its office document, reopens at BanLiID=5);
--   models 10 and 11 of kind "0" (no nodes: the first step may fill every field of the form):
--   /flow/BiaoDanTianXie.asp?LiuChengID=10   (purchase request)   LiuChengID=11 (meeting notice)

INSERT INTO OA_FLOW_1_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
  CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML, ShuoMing, JiaJi, LeiBie, YuSuanNei,
  XuQiuRiQi, JinJiChengDu, ShenQingBuMen, JingBanRen, LiuShuiHao, QMJinE, "QM名称", "QM数量",
  "QM单价") VALUES
  (5, 'CG-2011-005', '采购申请单（郑十, 2011-09-01 15:20）', 'zhengshi', '2011-09-01 15:20:00',
   '0', '3', 'zhengshi201109011520', 1, '<P>测试服务器一台，用于性能测试。</P>',
   '<P>现有测试服务器已超过保修期。</P>', '0', '电子产品', '是', '2011-9-30', '一般',
   '技术部\软件开发组', '郑十', 'CG-2011-005', '8800', '测试服务器', '1', '8800');

INSERT INTO OA_FLOW_1_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen,
  BanLiShiJian, BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (4, '5', 1, 'zhengshi', '2011-09-01 15:20:00', '2', '请审核。', '', ''),
  (5, '5', 2, 'zhangsan', '2011-09-01 16:40:00', '3', '同意，金额超过五千元，请财务审核。', '',
   'zhangsan20110901164000');

INSERT INTO OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser,
  BanLiType) VALUES
  ('1', '5', '3', 'wangwu', 'zhangsan', '0'),
  ('1', '5', '3', 'zhangsan', 'wangwu', '1');

INSERT INTO OA_Flow_Model_Header (OAID, Name, BiaoDanID, TiaoJian, TiaoJianDis, IsOn, isSystem,
  Manager, chufaflow, isTongZhi, parentID, Remark) VALUES
  (10, '采购申请（自由流转）', 1, '', '', '1', '0', ';admin;', '0', '0', 0, '由申请人指定办理人'),
  (11, '会议通知（自由流转）', 9, '', '', '1', '0', ';admin;', '0', '0', 0, '由发起人指定办理人');
