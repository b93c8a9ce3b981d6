-- Demo data: a small company with one purchase-request form and its workflow.
--
-- Demo keys (the demo host prints a page address made of them):
--   form 1 "采购申请单"; its record table OA_FLOW_1_Main, its step table OA_FLOW_1_BanLi
--   workflow model 1 "采购申请流程", nodes 1 (start) 2 3 4 (may end);
--   privileged model 2 "特殊采购", nodes 5 (start) 6 7, copied on every start
--   record 1, submitted by lisi, waiting at node 2 "部门审核" in the to-do list of zhangsan
--   demo user zhangsan (张三), department 4 "技术部"
--   to-do page: /flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2
--   new flow:   /flow/BiaoDanTianXie.asp?LiuChengID=1   (privileged: LiuChengID=2)
--
-- The form uses a field of each of the 19 field types (keys 1 to 19), a plain text field
-- (20), the three columns of the detail table 1 (21 to 23) and a field hidden from everybody
-- but wangwu (24).

INSERT INTO OA_AnQuan (TimeOut, NotValid, LoginLog, ISIP, IPList, isYunXu, isWeek,
  SM1, SM2, SM3, SM4, SM5, SM6, SM7, ISTime, SHour, SMinute, EHour, EMinute)
VALUES (45, '0', '1', '0', '', '1', '0', '1', '1', '1', '1', '1', '1', '1', '0', 8, 0, 18, 0);

INSERT INTO SA_Smtp (SMTPIP, SMTPPort, EUsername, EPassword, EmailAddress, SenderName)
VALUES ('127.0.0.1', 25, 'oa', '', 'oa@example.com', '办公系统');

-- Departments, three levels.
INSERT INTO KE_Department (DepartMentID, ParentID, DepartName, OrderNumber) VALUES
  (1, 0, '总公司', 1),
  (2, 1, '办公室', 2),
  (3, 1, '财务部', 3),
  (4, 1, '技术部', 4),
  (5, 4, '软件开发组', 5),
  (6, 4, '测试组', 6),
  (7, 3, '会计组', 7);

INSERT INTO KE_UserInfor (OAID, UserName, TureName, DepartMentID, Mobile, myField1, myField2,
  faceImg, IPAddress, AccountState, OrderNumber) VALUES
  (1, 'admin', '系统管理员', 2, '13800000001', NULL, NULL, '1', '', '1', 1),
  (2, 'zhangsan', '张三', 4, '13800000002', '张经理', '老张', '2', '192.168.1.12', '1', 2),
  (3, 'lisi', '李四', 5, '13800000003', NULL, NULL, '3', '192.168.1.13', '1', 3),
  (4, 'wangwu', '王五', 3, '13800000004', '王会计师', NULL, NULL, NULL, '1', 4),
  (5, 'zhaoliu', '赵六', 7, '13800000005', NULL, NULL, NULL, NULL, '1', 5),
  (6, 'sunqi', '孙七', 2, '13800000006', NULL, NULL, NULL, NULL, '1', 6),
  (7, 'zhouba', '周八', 6, '13800000007', NULL, NULL, NULL, NULL, '1', 7),
  (8, 'wujiu', '吴九', 1, '13800000008', '吴总', NULL, NULL, NULL, '1', 8),
  (9, 'zhengshi', '郑十', 5, '13800000009', NULL, NULL, NULL, NULL, '1', 9),
  (10, 'qianyi', '钱一', 6, '13800000010', NULL, NULL, NULL, NULL, '0', 10);

INSERT INTO OA_User_OtherInfor (UserName, Email1, Email2) VALUES
  ('zhangsan', 'zhangsan@example.com', ''),
  ('lisi', '', 'lisi@example.com');

INSERT INTO KE_PersonOnline (UserName) VALUES ('zhangsan');

-- Dictionary: categories (ZDType '0') and their items (ZDType '1').
INSERT INTO OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber, ZDCode) VALUES
  (1, '常用意见', 0, '0', 1, NULL),
  (2, '同意', 1, '1', 1, 'TY'),
  (3, '不同意', 1, '1', 2, 'BTY'),
  (4, '请领导审批', 1, '1', 3, 'QSP'),
  (5, '采购类别', 0, '0', 2, NULL),
  (6, '办公设备', 5, '1', 1, 'BG'),
  (7, '电子产品', 5, '1', 2, 'DZ'),
  (8, '办公耗材', 5, '1', 3, 'HC'),
  (9, '紧急程度', 0, '0', 3, NULL),
  (10, '一般', 9, '1', 1, 'YB'),
  (11, '紧急', 9, '1', 2, 'JJ'),
  (12, '特急', 9, '1', 3, 'TJ'),
  (13, '流水号前缀', 0, '0', 4, NULL),
  (14, '采购', 13, '1', 1, 'CG-2011-');

-- The form.
INSERT INTO OA_Flow_BiaoDan (OAID, Name, isJiaZai, ZhengWenType, BiaoDanCSS) VALUES (1, '采购申请单', '0', '2',
'<TABLE class=biaodan width="100%" border=1 cellSpacing=0 cellPadding=4>
<TR><TD width="15%">编号</TD><TD>{_1:编号}</TD><TD width="15%">状态</TD><TD>{_6:状态}</TD></TR>
<TR><TD>标题</TD><TD colSpan=3>{_2:标题}</TD></TR>
<TR><TD>提交人</TD><TD>{_3:提交人}</TD><TD>提交日期</TD><TD>{_4:提交日期}</TD></TR>
<TR><TD>所在部门</TD><TD colSpan=3>{_5:所在部门}</TD></TR>
<TR><TD>流水号</TD><TD>{17:流水号}</TD><TD>申请部门</TD><TD>{9:申请部门}</TD></TR>
<TR><TD>采购类别</TD><TD>{3:采购类别}</TD><TD>紧急程度</TD><TD>{6:紧急程度}</TD></TR>
<TR><TD>是否加急</TD><TD>{2:是否加急}</TD><TD>是否预算内</TD><TD>{4:是否预算内}</TD></TR>
<TR><TD>需求日期</TD><TD>{5:需求日期}</TD><TD>经办人</TD><TD>{11:经办人}</TD></TR>
<TR><TD>金额（元）</TD><TD>{20:金额}</TD><TD>供应商</TD><TD>{10:供应商}</TD></TR>
<TR><TD>联系邮箱</TD><TD>{19:联系邮箱}</TD><TD>相关链接</TD><TD>{18:相关链接}</TD></TR>
<TR><TD>采购明细</TD><TD colSpan=3>$1:采购明细$<BR>合计金额：{%20%} 元</TD></TR>
<TR><TD>采购说明</TD><TD colSpan=3>{1:采购说明}</TD></TR>
<TR><TD>报价单</TD><TD>{12:报价单}</TD><TD>产品图片</TD><TD>{14:产品图片}</TD></TR>
<TR><TD>附件清单</TD><TD colSpan=3>{13:附件清单}</TD></TR>
<TR><TD>备注</TD><TD colSpan=3>{16:备注}</TD></TR>
<TR><TD>内部备注</TD><TD colSpan=3>{24:内部备注}</TD></TR>
<TR><TD>部门意见</TD><TD colSpan=3>{7:部门意见}</TD></TR>
<TR><TD>领导签字</TD><TD>{8:领导签字}</TD><TD>签名</TD><TD>{15:签名}</TD></TR>
</TABLE>');

INSERT INTO OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) VALUES (1, '名称,数量,单价');

INSERT INTO OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, FieldNameDis,
  DefaultValue, DefaultValueType, ZiDianCode, RiQiGeShi, ShiJianGeShi, FieldHasDate,
  FieldHasTime, FieldLength, FieldXianDingChangDu, FieldCanEdit, FieldCantNull, FieldIsDuoXuan,
  cxHTML, isFJ1, isFJ2, isFJ3, FJ1BiaoTi, FJ2BiaoTi, FJ3BiaoTi, lianjiename, kuandu, leixing,
  isyincang, UserNames) VALUES
  (1, 'OA_FLOW_1_Main', 'ShuoMing', 'HTML编辑器型', '采购说明', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (2, 'OA_FLOW_1_Main', 'JiaJi', '复选框', '是否加急', '0', '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (3, 'OA_FLOW_1_Main', 'LeiBie', '下拉列表型', '采购类别', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '1', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (4, 'OA_FLOW_1_Main', 'YuSuanNei', '真假型', '是否预算内', '是*否', '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (5, 'OA_FLOW_1_Main', 'XuQiuRiQi', '日期时间型', '需求日期', NULL, '7', '0', '%Y-%m-%d', '', '1', '0', 0, '0', '1', '1', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (6, 'OA_FLOW_1_Main', 'JinJiChengDu', '选择型', '紧急程度', '一般', '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (7, 'OA_FLOW_1_Main', 'BuMenYiJian', '意见型', '部门意见', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (8, 'OA_FLOW_1_Main', 'LingDaoQianZi', '签字型', '领导签字', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (9, 'OA_FLOW_1_Main', 'ShenQingBuMen', '选择部门型', '申请部门', NULL, '6', '0', '', '', '0', '0', 0, '0', '1', '1', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (10, 'OA_FLOW_1_Main', 'GongYingShang', '查询型', '供应商', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '1', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (11, 'OA_FLOW_1_Main', 'JingBanRen', '选择用户型', '经办人', NULL, '4', '0', '', '', '0', '0', 0, '0', '1', '1', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (12, 'OA_FLOW_1_Main', 'BaoJiaDan', '附件型', '报价单', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (13, 'OA_FLOW_1_Main', 'FuJianQingDan', '多附件型', '附件清单', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '1', '1', '0', '说明', '页数', '', '', NULL, NULL, '0', NULL),
  (14, 'OA_FLOW_1_Main', 'ChanPinTuPian', '图片型', '产品图片', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (15, 'OA_FLOW_1_Main', 'QianMingWenJian', '签名文件型', '签名', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (16, 'OA_FLOW_1_Main', 'BeiZhu', '备注型', '备注', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (17, 'OA_FLOW_1_Main', 'LiuShuiHao', '流水号型', '流水号', 'select top 1 isnull(ZDCode,'''') from OA_ZiDian where ZDType=''1'' and ParentID=13 order by OrderNumber', '2', '0', '', '', '0', '0', 0, '0', '0', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (18, 'OA_FLOW_1_Main', 'XiangGuanLianJie', '超链接型', '相关链接', 'http://', '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '查看产品页', NULL, NULL, '0', NULL),
  (19, 'OA_FLOW_1_Main', 'LianXiYouXiang', '电子邮件型', '联系邮箱', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (20, 'OA_FLOW_1_Main', 'QMJinE', '数字型', '金额', '0', '0', '0', '', '', '0', '0', 0, '0', '1', '1', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '0', NULL),
  (21, 'OA_FLOW_1_Main', 'QM名称', '单行文本型', '名称', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', 40, '%', '0', NULL),
  (22, 'OA_FLOW_1_Main', 'QM数量', '单行文本型', '数量', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', 80, '像素', '0', NULL),
  (23, 'OA_FLOW_1_Main', 'QM单价', '单行文本型', '单价', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', 80, '像素', '0', NULL),
  (24, 'OA_FLOW_1_Main', 'NeiBuBeiZhu', '单行文本型', '内部备注', NULL, '0', '0', '', '', '0', '0', 0, '0', '1', '0', '0', '0', '0', '0', '0', '', '', '', '', NULL, NULL, '1', ';wangwu;');

-- Workflow model 1: start -> department review -> finance review (5000 and more) or the
-- general manager (below 5000); finance review -> general manager.
INSERT INTO OA_Flow_Model_Header (OAID, Name, BiaoDanID, TiaoJian, TiaoJianDis, IsOn, isSystem,
  Manager, chufaflow, isTongZhi, parentID, Remark) VALUES
  (1, '采购申请流程', 1, '', '', '1', '1', ';admin;', '0', '1', 0, ''),
  (2, '特殊采购', 1, '', '', '1', '2', ';admin;', '0', '0', 0, '特权流程模板');

INSERT INTO OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, BanLiRenType, JiaoSeUserList,
  DaiLiIsAble, EditFields, BanLiType, ProcessType, WaitTime, TimeUnit, Remark, IsYiJianTotal,
  IsGenZong, PosX, PosY, isFirst, isTaoHong, isImportWord, isQianMing, isYinZhang,
  isChaKanHenJi, isXiuDingJiLu, IsRecMark, isWordProtect, IsPrint, isYanZhengQianMing,
  isLocalSave, youjiantixing, iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui, TQUserList,
  FenFaUser, isRen, FenFaBuMen, isTiaoGuo) VALUES
  (1, 1, '填写申请', '1', ';lisi;zhengshi;', '0',
   '-1,-2,1,2,3,4,5,6,9,10,11,12,13,14,16,17,18,19,20,21,22,23,24', '1', '1', 0, '小时', '', '0',
   '0', 60, 80, '1', '0', '0', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '0', '0', '0', '0', '0', '', '', '0', '', '0'),
  (2, 1, '部门审核', '1', ';zhangsan;', '0', '-2,7,8,15,16', '1', '1', 8, '小时',
   '部门经理审核采购申请。' || char(13) || char(10) ||
   '<VB>' || char(13) || char(10) ||
   'If document.all("zd20").value = "" Then' || char(13) || char(10) ||
   '  MsgBox "请填写金额"' || char(13) || char(10) ||
   'End If' || char(13) || char(10) || '</VB>' || char(13) || char(10) ||
   '<PRE>select count(*) from OA_FLOW_1_Main where isover=''0''</PRE>' || char(13) || char(10) ||
   '<PASP>JinE=zd20</PASP>',
   '1', '1', 200, 80, '0', '0', '0', '1', '0', '1', '1', '1', '0', '1', '0', '1', '1',
   '1', '1', '1', '1', '1', ';admin;', ';wangwu;zhaoliu;', '0', ';3;7;', '0'),
  (3, 1, '财务审核', '1', ';wangwu;', '0', '7,8', '1', '1', 8, '小时', '', '1',
   '0', 340, 40, '0', '0', '0', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '0', '1', '1', '0', '1', '', '', '0', '', '0'),
  (4, 1, '总经理审批', '1', ';wujiu;', '0', '7,8,15', '1', '1', 24, '小时', '', '1',
   '0', 480, 80, '3', '0', '0', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '0', '0', '0', '1', '0', '', '', '0', '', '0'),
  (5, 2, '特殊申请', '1', ';lisi;', '0', '-1,-2,1,3,16,20,21,22,23', '1', '1', 0, '小时', '', '0',
   '0', 60, 80, '1', '0', '0', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '0', '0', '0', '0', '0', '', '', '0', '', '1'),
  (6, 2, '主管审批', '1', ';zhangsan;', '0', '7,8', '1', '1', 8, '小时', '', '0',
   '0', 200, 80, '0', '0', '0', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '1', '0', '0', '0', '1', '', '', '0', '', '0'),
  (7, 2, '总经理审批', '1', ';wujiu;', '0', '7,8', '1', '1', 24, '小时', '', '0',
   '0', 340, 80, '3', '0', '0', '0', '0', '0', '1', '1', '0', '1', '0', '1', '0',
   '0', '0', '0', '0', '0', '', '', '0', '', '0');

INSERT INTO OA_Flow_Model_JieDian_ConnectTiaoJian (OAID, MOAID, FromID, ToID, TiaoJian) VALUES
  (1, 1, 1, 2, ''),
  (2, 1, 2, 3, 'QMJinE>=5000'),
  (3, 1, 2, 4, 'QMJinE<5000'),
  (4, 1, 3, 4, ''),
  (5, 2, 5, 6, ''),
  (6, 2, 6, 7, '');

-- The form's record and step tables.
CREATE TABLE OA_FLOW_1_Main (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  CodeNumber TEXT COLLATE NOCASE,
  FileTile TEXT COLLATE NOCASE,
  TiJiaoRen TEXT COLLATE NOCASE,
  TiJiaoDate TEXT,
  isover TEXT COLLATE NOCASE,
  CurrentJieDianIDs TEXT COLLATE NOCASE,
  RecordID TEXT COLLATE NOCASE,
  LiuChengID INTEGER,
  ContentHTML TEXT,
  ShuoMing TEXT COLLATE NOCASE,
  JiaJi TEXT COLLATE NOCASE,
  LeiBie TEXT COLLATE NOCASE,
  YuSuanNei TEXT COLLATE NOCASE,
  XuQiuRiQi TEXT COLLATE NOCASE,
  JinJiChengDu TEXT COLLATE NOCASE,
  BuMenYiJian TEXT COLLATE NOCASE,
  LingDaoQianZi TEXT COLLATE NOCASE,
  ShenQingBuMen TEXT COLLATE NOCASE,
  GongYingShang TEXT COLLATE NOCASE,
  GongYingShangvalue TEXT COLLATE NOCASE,
  JingBanRen TEXT COLLATE NOCASE,
  BaoJiaDan TEXT COLLATE NOCASE,
  BaoJiaDanTitle TEXT COLLATE NOCASE,
  BaoJiaDanContent TEXT COLLATE NOCASE,
  FuJianQingDan TEXT COLLATE NOCASE,
  ChanPinTuPian TEXT COLLATE NOCASE,
  QianMingWenJian TEXT COLLATE NOCASE,
  BeiZhu TEXT COLLATE NOCASE,
  LiuShuiHao TEXT COLLATE NOCASE,
  XiangGuanLianJie TEXT COLLATE NOCASE,
  LianXiYouXiang TEXT COLLATE NOCASE,
  QMJinE TEXT COLLATE NOCASE,
  "QM名称" TEXT COLLATE NOCASE,
  "QM数量" TEXT COLLATE NOCASE,
  "QM单价" TEXT COLLATE NOCASE,
  NeiBuBeiZhu TEXT COLLATE NOCASE
);

CREATE TABLE OA_FLOW_1_BanLi (
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

-- Record 1: submitted by lisi at node 1, now at node 2.
INSERT INTO OA_FLOW_1_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
  CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML, ShuoMing, JiaJi, LeiBie, YuSuanNei,
  XuQiuRiQi, JinJiChengDu, BuMenYiJian, LingDaoQianZi, ShenQingBuMen, GongYingShang,
  GongYingShangvalue, JingBanRen, BaoJiaDan, BaoJiaDanTitle, BaoJiaDanContent, FuJianQingDan,
  ChanPinTuPian, QianMingWenJian, BeiZhu, LiuShuiHao, XiangGuanLianJie, LianXiYouXiang, QMJinE,
  "QM名称", "QM数量", "QM单价", NeiBuBeiZhu) VALUES
  (1, 'CG-2011-001', '采购申请单（李四, 2011-09-02 09:30）', 'lisi', '2011-09-02 09:30:00', '0',
   '2', 'lisi201109023000', 1,
   '<P>因项目开发需要，申请采购笔记本电脑两台、显示器三台。</P>',
   '<P>用于<B>新项目</B>开发。</P>', '1', '电子产品', '是', '2011-9-15', '紧急', NULL, NULL,
   '技术部\软件开发组', '<TABLE><TR><TD>华信电子</TD></TR></TABLE>', '17', '李四',
   NULL, '报价单.xls', x'd0cf11e0a1b11ae1', NULL, x'89504e470d0a1a0a', '1',
   '第一行备注' || char(13) || char(10) || '第二行  备注', 'CG-2011-001',
   'http://www.example.com/products', 'lisi@example.com', '16600',
   '笔记本电脑,显示器', '2,3', '6500,1200', '仅王五可见的内部备注');

INSERT INTO OA_FLOW_1_BanLi (OAID, BiaoDanRecordID, JieDianID, BanLiRen,
  BanLiShiJian, BanLiJieGuo, BanLiYiJian, ContentHTML, FileID) VALUES
  (1, '1', 1, 'lisi', '2011-09-02 09:30:00', '2', '请部门经理审核。',
   '<P>因项目开发需要，申请采购笔记本电脑两台、显示器三台。</P>', '');

-- To-do: zhangsan handles the record at node 2; wujiu holds a privileged entry.
INSERT INTO OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser,
  BanLiType) VALUES
  ('1', '1', '2', 'zhangsan', 'lisi', '0'),
  ('1', '1', '2', 'wujiu', 'lisi', 'T');

INSERT INTO OA_Flow_YiJian (BiaoDanID, BiaoDanRecordID, FieldID, YiJian, UserName, ShiJian) VALUES
  ('1', '1', '7', '项目急需，请尽快审批。', 'lisi', '2011-09-02 09:30:00'),
  ('1', '1', '7', '同意采购，' || char(13) || char(10) || '请按预算执行。', 'zhengshi', '2011-09-02 10:05:00'),
  ('1', '1', '8', '', 'lisi', '2011-09-02 09:31:00'),
  ('1', '1', '8', '', 'zhengshi', '2011-09-02 10:06:00');

INSERT INTO OA_Flow_FuJian (BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, FileName, FileContent,
  ShuoMing1, ShuoMing2, ShuoMing3) VALUES
  ('1', '1', 0, '13', '配置清单.doc', x'd0cf11e0a1b11ae1', '电脑配置', '2', ''),
  ('1', '1', 0, '13', '市场比价.xls', x'd0cf11e0a1b11ae1', '三家比价', '1', ''),
  ('1', '1', 1, '', '申请说明.txt', x'e794b3e8afb7', '', '', '');

INSERT INTO OA_Flow_QianMing (OAID, usernames, FileName, FileContent) VALUES
  (1, ';zhangsan;', '张三签名.gif', x'47494638396101000100'),
  (2, ';lisi;', '李四签名.gif', x'47494638396101000100');

-- zhangsan's notice about the record, removed when the record is opened.
INSERT INTO OA_MSG (outType, userName, msg, shijian, url, target, LinkText, isDisplay, isView,
  ID1, ID2) VALUES
  ('1', 'zhangsan', '您有新的待办流程：采购申请单（李四, 2011-09-02 09:30）', '2011-09-02 09:30',
   'BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2', '_blank', '点击办理', '0', '0',
   '1', '1');
