-- The office system's tables, in SQLite's dialect.
-- Integer keys (OAID, KEID, DepartMentID, ReqTypeID, UsrID) are numbered by the database.
-- Texts and "0"/"1" switches compare without regard to letter case, as on the production
-- server; dates are stored as text "yyyy-mm-dd hh:nn:ss". Keys of other rows are INTEGER
-- where the pages compare them as numbers and TEXT where they compare them as quoted text.
-- Each form also has its record table OA_FLOW_<form key>_Main and its step table
-- OA_FLOW_<form key>_BanLi, created with the form (see schema/form_tables.h).

-- Security settings: the first row counts.
CREATE TABLE OA_AnQuan (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  TimeOut INTEGER,
  NotValid TEXT COLLATE NOCASE,
  LoginLog TEXT COLLATE NOCASE,
  ISIP TEXT COLLATE NOCASE,
  IPList TEXT COLLATE NOCASE,
  isYunXu TEXT COLLATE NOCASE,
  isWeek TEXT COLLATE NOCASE,
  SM1 TEXT COLLATE NOCASE, SM2 TEXT COLLATE NOCASE, SM3 TEXT COLLATE NOCASE,
  SM4 TEXT COLLATE NOCASE, SM5 TEXT COLLATE NOCASE, SM6 TEXT COLLATE NOCASE,
  SM7 TEXT COLLATE NOCASE,
  ISTime TEXT COLLATE NOCASE,
  SHour INTEGER, SMinute INTEGER,
  EHour INTEGER, EMinute INTEGER
);

-- Application and security log.
CREATE TABLE OA_Log (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  LogType TEXT COLLATE NOCASE,
  IPAddress TEXT COLLATE NOCASE,
  UserName TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  IsDengLu TEXT COLLATE NOCASE,
  LogTime TEXT DEFAULT (datetime('now', 'localtime'))
);

-- Notices shown to a user; ID1/ID2 name the object (form key, record key).
CREATE TABLE OA_MSG (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  outType TEXT COLLATE NOCASE,
  userName TEXT COLLATE NOCASE,
  msg TEXT COLLATE NOCASE,
  shijian TEXT,
  url TEXT COLLATE NOCASE,
  target TEXT COLLATE NOCASE,
  LinkText TEXT COLLATE NOCASE,
  isDisplay TEXT COLLATE NOCASE,
  isView TEXT COLLATE NOCASE,
  ID1 TEXT COLLATE NOCASE,
  ID2 TEXT COLLATE NOCASE
);

-- Dictionary: category rows and their item rows (ZDType '1', ParentID = the category's OAID).
CREATE TABLE OA_ZiDian (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  Name TEXT COLLATE NOCASE,
  ParentID INTEGER,
  ZDType TEXT COLLATE NOCASE,
  OrderNumber INTEGER,
  ZDCode TEXT COLLATE NOCASE
);

-- Outgoing mail account: the first row counts.
CREATE TABLE SA_Smtp (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  SMTPIP TEXT COLLATE NOCASE,
  SMTPPort INTEGER,
  EUsername TEXT COLLATE NOCASE,
  EPassword TEXT,
  EmailAddress TEXT COLLATE NOCASE,
  SenderName TEXT COLLATE NOCASE
);

-- Users: login name UserName, display name TureName; AccountState '1' is active.
CREATE TABLE KE_UserInfor (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName TEXT COLLATE NOCASE,
  TureName TEXT COLLATE NOCASE,
  DepartMentID INTEGER,
  Mobile TEXT COLLATE NOCASE,
  myField1 TEXT COLLATE NOCASE,
  myField2 TEXT COLLATE NOCASE,
  faceImg TEXT COLLATE NOCASE,
  IPAddress TEXT COLLATE NOCASE,
  AccountState TEXT COLLATE NOCASE,
  OrderNumber INTEGER
);

-- Departments: a tree by ParentID (0 at the top).
CREATE TABLE KE_Department (
  DepartMentID INTEGER PRIMARY KEY AUTOINCREMENT,
  ParentID INTEGER,
  DepartName TEXT COLLATE NOCASE,
  OrderNumber INTEGER
);

-- Duties with their "*"-separated permission codes.
CREATE TABLE KE_DutyPower (
  KEID INTEGER PRIMARY KEY AUTOINCREMENT,
  DutyName TEXT COLLATE NOCASE,
  FunList TEXT COLLATE NOCASE
);

CREATE TABLE KE_Customer (
  KEID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName TEXT COLLATE NOCASE,
  TureName TEXT COLLATE NOCASE
);

-- Document catalogues: a tree by ParentID.
CREATE TABLE KE_Catalog (
  KEID INTEGER PRIMARY KEY AUTOINCREMENT,
  ParentID INTEGER,
  CatName TEXT COLLATE NOCASE,
  CreateDate TEXT
);

-- One row per user now on line.
CREATE TABLE KE_PersonOnline (
  KEID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName TEXT COLLATE NOCASE
);

-- Request types: a tree by ParentID.
CREATE TABLE KE_ReqType (
  ReqTypeID INTEGER PRIMARY KEY AUTOINCREMENT,
  ParentID INTEGER,
  ReqTypeName TEXT COLLATE NOCASE
);

-- Internal mail; EmailTo is "*name-0-0-0*name-0-0-0*".
CREATE TABLE KE_Email (
  KEID INTEGER PRIMARY KEY AUTOINCREMENT,
  EmailSubject TEXT COLLATE NOCASE,
  EmailContent TEXT COLLATE NOCASE,
  EmailFrom TEXT COLLATE NOCASE,
  ImpDegree TEXT COLLATE NOCASE,
  EmailStatus TEXT COLLATE NOCASE,
  EmailDate TEXT,
  EmailTo TEXT COLLATE NOCASE
);

-- Mail to-do rows, one per recipient; EOAID is the mail's KEID.
CREATE TABLE OA_DaiBan_Mail (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  BiaoTi TEXT COLLATE NOCASE,
  EOAID INTEGER,
  ShiJian TEXT,
  FaJianRen TEXT COLLATE NOCASE,
  NeiWai TEXT COLLATE NOCASE,
  ShouJianRen TEXT COLLATE NOCASE
);

CREATE TABLE OA_User_OtherInfor (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName TEXT COLLATE NOCASE,
  Email1 TEXT COLLATE NOCASE,
  Email2 TEXT COLLATE NOCASE
);

CREATE TABLE OA_Work_Plan (
  KEID INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT COLLATE NOCASE
);

-- Permissions: functions by code, granted to roles or directly to users.
CREATE TABLE OA_Functions (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  CodeNumber TEXT COLLATE NOCASE
);

CREATE TABLE OA_FunctionRole (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  FunctionID INTEGER,
  RoleID INTEGER
);

-- userIds: member ids, ","-separated and wrapped in ",".
CREATE TABLE OA_Roles (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  userIds TEXT COLLATE NOCASE
);

-- UserList: login names separated by ";".
CREATE TABLE OA_SysPower (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE,
  UserList TEXT COLLATE NOCASE
);

-- Document folders with read and write rights; isjicheng '1' takes the parent's rights.
CREATE TABLE OA_ZTDocument_Folder (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  isjicheng TEXT COLLATE NOCASE,
  POAID INTEGER,
  RIsALL TEXT COLLATE NOCASE,
  UserReader TEXT COLLATE NOCASE,
  WIsALL TEXT COLLATE NOCASE,
  userAll TEXT COLLATE NOCASE
);

CREATE TABLE OA_Document_Folder (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  POAID INTEGER
);

-- Documents; CatNumber is the catalogue's KEID.
CREATE TABLE OA_Document (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  CatNumber INTEGER,
  DocSubject TEXT COLLATE NOCASE,
  UpdateDate TEXT
);

CREATE TABLE Usr_Init (
  UsrID INTEGER PRIMARY KEY AUTOINCREMENT
);

-- Workflow models. isSystem: '0', '1', or '2' for a privileged model that is copied per start.
CREATE TABLE OA_Flow_Model_Header (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  Name TEXT COLLATE NOCASE,
  BiaoDanID INTEGER,
  TiaoJian TEXT COLLATE NOCASE,
  TiaoJianDis TEXT COLLATE NOCASE,
  IsOn TEXT COLLATE NOCASE,
  isSystem TEXT COLLATE NOCASE,
  Manager TEXT COLLATE NOCASE,
  chufaflow TEXT COLLATE NOCASE,
  isTongZhi TEXT COLLATE NOCASE,
  parentID INTEGER,
  Remark TEXT COLLATE NOCASE
);

-- Workflow nodes of model MOAID. isFirst: '1' start node, '3' a node where the flow may end.
-- EditFields: ","-separated keys of the fields editable here (-1 to -6: the system fields).
-- Remark may hold <VB>, <PRE> and <PASP> blocks.
CREATE TABLE OA_Flow_Model_JieDian (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  MOAID INTEGER,
  JieDianName TEXT COLLATE NOCASE,
  BanLiRenType TEXT COLLATE NOCASE,
  JiaoSeUserList TEXT COLLATE NOCASE,
  DaiLiIsAble TEXT COLLATE NOCASE,
  EditFields TEXT COLLATE NOCASE,
  BanLiType TEXT COLLATE NOCASE,
  ProcessType TEXT COLLATE NOCASE,
  WaitTime INTEGER,
  TimeUnit TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  IsYiJianTotal TEXT COLLATE NOCASE,
  IsGenZong TEXT COLLATE NOCASE,
  PosX INTEGER,
  PosY INTEGER,
  isFirst TEXT COLLATE NOCASE,
  isTaoHong TEXT COLLATE NOCASE,
  isImportWord TEXT COLLATE NOCASE,
  isQianMing TEXT COLLATE NOCASE,
  isYinZhang TEXT COLLATE NOCASE,
  isChaKanHenJi TEXT COLLATE NOCASE,
  isXiuDingJiLu TEXT COLLATE NOCASE,
  IsRecMark TEXT COLLATE NOCASE,
  isWordProtect TEXT COLLATE NOCASE,
  IsPrint TEXT COLLATE NOCASE,
  isYanZhengQianMing TEXT COLLATE NOCASE,
  isLocalSave TEXT COLLATE NOCASE,
  youjiantixing TEXT COLLATE NOCASE,
  iszhuanban TEXT COLLATE NOCASE,
  isgoutong TEXT COLLATE NOCASE,
  isFenFa TEXT COLLATE NOCASE,
  isFeiQi TEXT COLLATE NOCASE,
  isBoHui TEXT COLLATE NOCASE,
  TQUserList TEXT COLLATE NOCASE,
  FenFaUser TEXT COLLATE NOCASE,
  isRen TEXT COLLATE NOCASE,
  FenFaBuMen TEXT COLLATE NOCASE,
  isTiaoGuo TEXT COLLATE NOCASE
);

-- Directed connections between the nodes of a model, with an optional condition.
CREATE TABLE OA_Flow_Model_JieDian_ConnectTiaoJian (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  MOAID INTEGER,
  FromID INTEGER,
  ToID INTEGER,
  TiaoJian TEXT COLLATE NOCASE
);

-- Forms: BiaoDanCSS is the HTML template with its placeholders.
-- ZhengWenType: '1' office document, '2' HTML editor, '3' no body text.
CREATE TABLE OA_Flow_BiaoDan (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  Name TEXT COLLATE NOCASE,
  BiaoDanCSS TEXT,
  isJiaZai TEXT COLLATE NOCASE,
  ZhengWenType TEXT COLLATE NOCASE
);

-- Field definitions; TableName is the form's OA_FLOW_<form key>_Main.
CREATE TABLE OA_Flow_BiaoDan_Fields (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  TableName TEXT COLLATE NOCASE,
  FieldName TEXT COLLATE NOCASE,
  FieldType TEXT COLLATE NOCASE,
  FieldNameDis TEXT COLLATE NOCASE,
  DefaultValue TEXT COLLATE NOCASE,
  DefaultValueType TEXT COLLATE NOCASE,
  ZiDianCode TEXT COLLATE NOCASE,
  RiQiGeShi TEXT COLLATE NOCASE,
  ShiJianGeShi TEXT COLLATE NOCASE,
  FieldHasDate TEXT COLLATE NOCASE,
  FieldHasTime TEXT COLLATE NOCASE,
  FieldLength INTEGER,
  FieldXianDingChangDu TEXT COLLATE NOCASE,
  FieldCanEdit TEXT COLLATE NOCASE,
  FieldCantNull TEXT COLLATE NOCASE,
  FieldIsDuoXuan TEXT COLLATE NOCASE,
  cxHTML TEXT COLLATE NOCASE,
  isFJ1 TEXT COLLATE NOCASE, isFJ2 TEXT COLLATE NOCASE, isFJ3 TEXT COLLATE NOCASE,
  FJ1BiaoTi TEXT COLLATE NOCASE, FJ2BiaoTi TEXT COLLATE NOCASE, FJ3BiaoTi TEXT COLLATE NOCASE,
  lianjiename TEXT COLLATE NOCASE,
  kuandu INTEGER,
  leixing TEXT COLLATE NOCASE,
  isyincang TEXT COLLATE NOCASE,
  UserNames TEXT COLLATE NOCASE
);

-- Detail tables: the column captions, ","-separated.
CREATE TABLE OA_Flow_BiaoDan_FieldGuanLian (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  DisPlayItemS TEXT COLLATE NOCASE
);

-- To-do list: the record BiaoDanRecordID of form BiaoDanID waits at node JieDianID for
-- BanLiRen. BanLiType: 'T' privileged entry, '1' a consultation to answer.
CREATE TABLE OA_DaiBan_LiuCheng (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  BiaoDanID TEXT COLLATE NOCASE,
  BiaoDanRecordID TEXT COLLATE NOCASE,
  JieDianID TEXT COLLATE NOCASE,
  BanLiRen TEXT COLLATE NOCASE,
  SendUser TEXT COLLATE NOCASE,
  BanLiType TEXT COLLATE NOCASE
);

-- Opinions and sign-offs of an opinion or sign-off field (FieldID) of a record.
CREATE TABLE OA_Flow_YiJian (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  BiaoDanID TEXT COLLATE NOCASE,
  BiaoDanRecordID TEXT COLLATE NOCASE,
  FieldID TEXT COLLATE NOCASE,
  YiJian TEXT COLLATE NOCASE,
  UserName TEXT COLLATE NOCASE,
  ShiJian TEXT
);

-- Attachments of a record: of a multi-file field (BanLiID 0) or of a handling step.
CREATE TABLE OA_Flow_FuJian (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  BiaoDanID TEXT COLLATE NOCASE,
  BiaoDanRecordID TEXT COLLATE NOCASE,
  BanLiID INTEGER,
  FieldID TEXT COLLATE NOCASE,
  FileName TEXT COLLATE NOCASE,
  FileContent BLOB,
  ShuoMing1 TEXT COLLATE NOCASE,
  ShuoMing2 TEXT COLLATE NOCASE,
  ShuoMing3 TEXT COLLATE NOCASE
);

-- Stored signature pictures; usernames lists their owners, ";"-wrapped.
CREATE TABLE OA_Flow_QianMing (
  OAID INTEGER PRIMARY KEY AUTOINCREMENT,
  usernames TEXT COLLATE NOCASE,
  FileName TEXT COLLATE NOCASE,
  FileContent BLOB
);

CREATE INDEX KE_UserInfor_UserName ON KE_UserInfor(UserName);
CREATE INDEX OA_DaiBan_LiuCheng_Record ON OA_DaiBan_LiuCheng(BiaoDanID, BiaoDanRecordID);
CREATE INDEX OA_Flow_YiJian_Record ON OA_Flow_YiJian(BiaoDanRecordID, BiaoDanID, FieldID);
CREATE INDEX OA_Flow_FuJian_Record ON OA_Flow_FuJian(BiaoDanRecordID, BiaoDanID, FieldID);
CREATE INDEX OA_Flow_BiaoDan_Fields_Table ON OA_Flow_BiaoDan_Fields(TableName);
CREATE INDEX OA_Flow_Model_JieDian_Model ON OA_Flow_Model_JieDian(MOAID);
CREATE INDEX OA_MSG_Object ON OA_MSG(ID1, ID2, userName);
