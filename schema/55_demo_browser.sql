-- Demo rows for a form without a document body (ZhengWenType "3"), so that the demo offers a
-- page of each body kind:
--   form 9 "会议通知", model 9 "会议通知流程", nodes 90 (start) and 91 (end), record 1 waiting
--   at node 91 in zhangsan's to-do list:
--   /flow/BiaoDanTianXie.asp?BiaoDanID=9&BiaoDanRecordID=1&JieDianID=91   (new: LiuChengID=9)
-- The start node has its forwarding, consultation and return switches on, which a start node
-- does not offer.

INSERT INTO OA_Flow_BiaoDan (OAID, Name, isJiaZai, ZhengWenType, BiaoDanCSS) VALUES (9, '会议通知',
  '0', '3',
'<TABLE class=biaodan width="100%" border=1 cellSpacing=0 cellPadding=4>
<TR><TD width="15%">编号</TD><TD>{_1:编号}</TD><TD width="15%">发起日期</TD><TD>{_4:发起日期}</TD></TR>
<TR><TD>会议主题</TD><TD colSpan=3>{_2:会议主题}</TD></TR>
<TR><TD>发起人</TD><TD>{_3:发起人}</TD><TD>发起部门</TD><TD>{_5:发起部门}</TD></TR>
</TABLE>');

INSERT INTO OA_Flow_Model_Header (OAID, Name, BiaoDanID, TiaoJian, TiaoJianDis, IsOn, isSystem,
  Manager, chufaflow, isTongZhi, parentID, Remark) VALUES
  (9, '会议通知流程', 9, '', '', '1', '1', ';admin;', '0', '0', 0, '');

INSERT INTO OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, BanLiRenType, JiaoSeUserList,
  DaiLiIsAble, EditFields, BanLiType, ProcessType, WaitTime, TimeUnit, Remark, IsYiJianTotal,
  IsGenZong, PosX, PosY, isFirst, isTaoHong, isImportWord, isQianMing, isYinZhang,
  isChaKanHenJi, isXiuDingJiLu, IsRecMark, isWordProtect, IsPrint, isYanZhengQianMing,
  isLocalSave, youjiantixing, iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui, TQUserList,
  FenFaUser, isRen, FenFaBuMen, isTiaoGuo) VALUES
  (90, 9, '发起通知', '1', ';zhangsan;lisi;', '0', '-2', '1', '1', 0, '小时', '', '0',
   '0', 60, 80, '1', '0', '0', '0', '0', '0', '0', '0', '0', '1', '0', '0', '0',
   '1', '1', '1', '1', '1', '', '', '1', '', '0'),
  (91, 9, '确认通知', '1', ';zhangsan;', '0', '', '1', '1', 24, '小时', '', '0',
   '0', 200, 80, '3', '0', '0', '0', '0', '0', '0', '0', '0', '1', '0', '0', '0',
   '1', '1', '0', '0', '0', '', '', '0', '', '0');

INSERT INTO OA_Flow_Model_JieDian_ConnectTiaoJian (OAID, MOAID, FromID, ToID, TiaoJian) VALUES
  (90, 9, 90, 91, '');

CREATE TABLE OA_FLOW_9_Main (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  CodeNumber TEXT COLLATE NOCASE,
  FileTile TEXT COLLATE NOCASE,
  TiJiaoRen TEXT COLLATE NOCASE,
  TiJiaoDate TEXT,
  isover TEXT COLLATE NOCASE,
  CurrentJieDianIDs TEXT COLLATE NOCASE,
  RecordID TEXT COLLATE NOCASE,
  LiuChengID INTEGER,
  ContentHTML TEXT
);

CREATE TABLE OA_FLOW_9_BanLi (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  BiaoDanRecordID TEXT COLLATE NOCASE,
  JieDianID INTEGER,
  BanLiRen TEXT COLLATE NOCASE,
  BanLiShiJian TEXT,
  BanLiJieGuo TEXT COLLATE NOCASE,
  BanLiYiJian TEXT COLLATE NOCASE,
  ContentHTML TEXT,
  FileID TEXT COLLATE NOCASE
);

INSERT INTO OA_FLOW_9_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
  CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML) VALUES
  (1, 'HY-2011-007', '关于召开季度工作会议的通知', 'lisi', '2011-09-01 14:00:00', '0', '91',
   'lisi201109011400', 9, '');

INSERT INTO OA_FLOW_9_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen,
  BanLiShiJian, BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (1, '1', 90, 'lisi', '2011-09-01 14:00:00', '91', '请确认参会。', '', '');

INSERT INTO OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser,
  BanLiType) VALUES ('9', '1', '91', 'zhangsan', 'lisi', '0');
