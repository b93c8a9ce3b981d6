-- Demo rows for the handling panel: a step that zhangsan saved for later at node 2 of record 1
-- (reopened at /flow/BiaoDanTianXie.asp?BanLiID=2&BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2),
-- with two attachments of its own; an open consultation that zhangsan sent to zhouba about
-- the record, so the panel offers to revoke it; and a document form whose body is an office
-- document:
--   form 2 "发文稿纸", model 3 "发文流程", nodes 8 (start) and 9 (end), record 1 waiting at
--   node 9 in zhangsan's to-do list:
--   /flow/BiaoDanTianXie.asp?BiaoDanID=2&BiaoDanRecordID=1&JieDianID=9   (new: LiuChengID=3)

INSERT INTO OA_FLOW_1_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen,
  BanLiShiJian, BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (2, '1', 2, 'zhangsan', '2011-09-02 10:12:00', '3',
   '金额较大，转财务审核。' || char(13) || char(10) || '请补充第三家报价。',
   '<P>因项目开发需要，申请采购笔记本电脑两台、显示器三台。</P>', '');

INSERT INTO OA_Flow_FuJian (BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, FileName, FileContent,
  ShuoMing1, ShuoMing2, ShuoMing3) VALUES
  ('1', '1', 2, '', '审核意见.doc', x'd0cf11e0a1b11ae1', '部门审核说明', '', ''),
  ('1', '1', 2, '', '补充报价.xls', x'd0cf11e0a1b11ae1', '', '', '');

INSERT INTO OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser,
  BanLiType) VALUES
  ('1', '1', '2', 'zhouba', 'zhangsan', '1'),
  ('2', '1', '9', 'zhangsan', 'wujiu', '0');

INSERT INTO OA_Flow_BiaoDan (OAID, Name, isJiaZai, ZhengWenType, BiaoDanCSS) VALUES (2, '发文稿纸',
  '1', '1',
'<TABLE class=biaodan width="100%" border=1 cellSpacing=0 cellPadding=4>
<TR><TD width="15%">文号</TD><TD>{_1:编号}</TD><TD width="15%">拟稿日期</TD><TD>{_4:拟稿日期}</TD></TR>
<TR><TD>标题</TD><TD colSpan=3>{_2:标题}</TD></TR>
<TR><TD>拟稿人</TD><TD>{_3:拟稿人}</TD><TD>拟稿部门</TD><TD>{_5:拟稿部门}</TD></TR>
</TABLE>');

INSERT INTO OA_Flow_Model_Header (OAID, Name, BiaoDanID, TiaoJian, TiaoJianDis, IsOn, isSystem,
  Manager, chufaflow, isTongZhi, parentID, Remark) VALUES
  (3, '发文流程', 2, '', '', '1', '1', ';admin;', '0', '0', 0, '');

INSERT INTO OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, BanLiRenType, JiaoSeUserList,
  DaiLiIsAble, EditFields, BanLiType, ProcessType, WaitTime, TimeUnit, Remark, IsYiJianTotal,
  IsGenZong, PosX, PosY, isFirst, isTaoHong, isImportWord, isQianMing, isYinZhang,
  isChaKanHenJi, isXiuDingJiLu, IsRecMark, isWordProtect, IsPrint, isYanZhengQianMing,
  isLocalSave, youjiantixing, iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui, TQUserList,
  FenFaUser, isRen, FenFaBuMen, isTiaoGuo) VALUES
  (8, 3, '拟稿', '1', ';zhangsan;lisi;', '0', '-1,-2,-4,-5', '1', '1', 0, '小时', '', '0',
   '0', 60, 80, '1', '0', '1', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '0', '0', '0', '0', '0', '', '', '0', '', '0'),
  (9, 3, '签发', '1', ';zhangsan;', '0', '-2', '1', '1', 24, '小时',
   '<PASP>QianFa=1</PASP>', '0', '0', 200, 80, '3', '1', '1', '1', '1', '1', '1', '1', '1',
   '1', '1', '0', '0', '0', '1', '1', '0', '1', ';wujiu;', ';sunqi;', '0', ';2;', '0');

INSERT INTO OA_Flow_Model_JieDian_ConnectTiaoJian (OAID, MOAID, FromID, ToID, TiaoJian) VALUES
  (7, 3, 8, 9, '');

CREATE TABLE OA_FLOW_2_Main (
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

CREATE TABLE OA_FLOW_2_BanLi (
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

INSERT INTO OA_FLOW_2_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
  CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML) VALUES
  (1, '发〔2011〕12号', '关于调整采购审批权限的通知', 'wujiu', '2011-09-01 16:00:00', '0', '9',
   'wujiu201109010000', 3, '');

INSERT INTO OA_FLOW_2_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen,
  BanLiShiJian, BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (1, '1', 8, 'wujiu', '2011-09-01 16:00:00', '9', '请签发。', '', '');
