// create_database: speed, the tables and columns the pages use, and the demo rows.
#include "schema/database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "schema/form_tables.h"
#include "vb/builtins.h"

namespace schema {
namespace {

using platform::ado::Connection;
using platform::ado::Recordset;

std::string scratch_path(const std::string& name) {
  const std::string path =
      ::testing::TempDir() + "schema_" + std::to_string(getpid()) + "_" + name + ".db";
  std::filesystem::remove(path);
  return path;
}

class DemoDatabaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    path_ = new std::string(scratch_path("demo"));
    const auto start = std::chrono::steady_clock::now();
    create_database(*path_, true);
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  static void TearDownTestSuite() {
    std::filesystem::remove(*path_);
    delete path_;
  }
  DemoDatabaseTest() { conn.Open("Provider=SQLite;Data Source=" + *path_); }

  // The rows of `sql`, each row's columns joined by "|".
  std::vector<std::string> rows(const std::string& sql) {
    Recordset rs;
    rs.Open(sql, conn);
    std::vector<std::string> out;
    for (; !rs.EOF_(); rs.MoveNext()) {
      std::string row;
      for (long i = 0; i < rs.Fields().Count(); ++i) {
        row += (i ? "|" : "") + (vb::IsNull(rs(i)) ? std::string("NULL") : vb::CStr(rs(i)));
      }
      out.push_back(row);
    }
    return out;
  }
  std::set<std::string> columns_of(const std::string& table) {
    std::set<std::string> names;
    for (const std::string& row : rows("select name from pragma_table_info('" + table + "')")) {
      names.insert(row);
    }
    return names;
  }

  static std::string* path_;
  static double seconds_;
  Connection conn;
};
std::string* DemoDatabaseTest::path_ = nullptr;
double DemoDatabaseTest::seconds_ = 0;

TEST_F(DemoDatabaseTest, BuildsInUnderASecond) {
  EXPECT_LT(seconds_, 1.0);
  std::cout << "[ timing   ] create_database with demo rows: " << seconds_ * 1000 << " ms\n";
}

// Every table and column that the pages and the library read or write.
TEST_F(DemoDatabaseTest, HasEveryTableAndColumnThePagesUse) {
  const std::map<std::string, std::string> expected = {
      {"OA_AnQuan", "OAID TimeOut NotValid LoginLog ISIP IPList isYunXu isWeek SM1 SM2 SM3 SM4 SM5 "
                    "SM6 SM7 ISTime SHour SMinute EHour EMinute"},
      {"OA_Log", "OAID LogType IPAddress UserName Remark IsDengLu"},
      {"OA_MSG", "OAID outType userName msg shijian url target LinkText isDisplay isView ID1 ID2"},
      {"OA_ZiDian", "OAID Name ParentID ZDType OrderNumber ZDCode"},
      {"SA_Smtp", "SMTPIP SMTPPort EUsername EPassword EmailAddress SenderName"},
      {"KE_UserInfor", "OAID UserName TureName DepartMentID Mobile myField1 myField2 faceImg "
                       "IPAddress AccountState OrderNumber"},
      {"KE_Department", "DepartMentID ParentID DepartName OrderNumber"},
      {"KE_DutyPower", "KEID DutyName FunList"},
      {"KE_Customer", "UserName TureName"},
      {"KE_Catalog", "KEID ParentID CatName CreateDate"},
      {"KE_PersonOnline", "UserName"},
      {"KE_ReqType", "ReqTypeID ParentID ReqTypeName"},
      {"KE_Email", "KEID EmailSubject EmailContent EmailFrom ImpDegree EmailStatus EmailDate EmailTo"},
      {"OA_DaiBan_Mail", "BiaoTi EOAID ShiJian FaJianRen NeiWai ShouJianRen"},
      {"OA_User_OtherInfor", "UserName Email1 Email2"},
      {"OA_Work_Plan", "KEID name"},
      {"OA_Functions", "OAID CodeNumber"},
      {"OA_FunctionRole", "FunctionID RoleID"},
      {"OA_Roles", "OAID userIds"},
      {"OA_SysPower", "Code UserList"},
      {"OA_ZTDocument_Folder", "OAID isjicheng POAID RIsALL UserReader WIsALL userAll"},
      {"OA_Document_Folder", "OAID POAID"},
      {"OA_Document", "OAID CatNumber DocSubject UpdateDate"},
      {"Usr_Init", "UsrID"},
      {"OA_Flow_Model_Header", "OAID Name BiaoDanID TiaoJian TiaoJianDis IsOn isSystem Manager "
                               "chufaflow isTongZhi parentID Remark"},
      {"OA_Flow_Model_JieDian",
       "OAID MOAID JieDianName BanLiRenType JiaoSeUserList DaiLiIsAble EditFields BanLiType "
       "ProcessType WaitTime TimeUnit Remark IsYiJianTotal IsGenZong PosX PosY isFirst isTaoHong "
       "isImportWord isQianMing isYinZhang isChaKanHenJi isXiuDingJiLu IsRecMark isWordProtect "
       "IsPrint isYanZhengQianMing isLocalSave youjiantixing iszhuanban isgoutong isFenFa isFeiQi "
       "isBoHui TQUserList FenFaUser isRen FenFaBuMen isTiaoGuo"},
      {"OA_Flow_Model_JieDian_ConnectTiaoJian", "OAID MOAID FromID ToID TiaoJian"},
      {"OA_Flow_BiaoDan", "OAID Name BiaoDanCSS isJiaZai ZhengWenType"},
      {"OA_Flow_BiaoDan_Fields",
       "OAID TableName FieldName FieldType FieldNameDis DefaultValue DefaultValueType ZiDianCode "
       "RiQiGeShi ShiJianGeShi FieldHasDate FieldHasTime FieldLength FieldXianDingChangDu "
       "FieldCanEdit FieldCantNull FieldIsDuoXuan cxHTML isFJ1 isFJ2 isFJ3 FJ1BiaoTi FJ2BiaoTi "
       "FJ3BiaoTi lianjiename kuandu leixing isyincang UserNames"},
      {"OA_Flow_BiaoDan_FieldGuanLian", "OAID DisPlayItemS"},
      {"OA_DaiBan_LiuCheng", "OAID BiaoDanID BiaoDanRecordID JieDianID BanLiRen SendUser BanLiType"},
      {"OA_Flow_YiJian", "OAID BiaoDanID BiaoDanRecordID FieldID YiJian UserName ShiJian"},
      {"OA_Flow_FuJian", "OAID BiaoDanID BiaoDanRecordID BanLiID FieldID FileName FileContent "
                         "ShuoMing1 ShuoMing2 ShuoMing3"},
      {"OA_Flow_QianMing", "OAID usernames FileName FileContent"},
      {"OA_FLOW_1_Main", "OAID CodeNumber FileTile TiJiaoRen TiJiaoDate isover CurrentJieDianIDs "
                         "RecordID LiuChengID ContentHTML"},
      {"OA_FLOW_1_BanLi", "OAID BiaoDanRecordID JieDianID ContentHTML BanLiJieGuo BanLiYiJian FileID"},
  };
  for (const auto& [table, names] : expected) {
    const std::set<std::string> actual = columns_of(table);
    EXPECT_FALSE(actual.empty()) << "missing table " << table;
    std::istringstream words(names);
    for (std::string column; words >> column;) {
      EXPECT_TRUE(actual.count(column)) << table << "." << column;
    }
  }
}

TEST_F(DemoDatabaseTest, KeysAreNumberedByTheDatabaseAndTextsIgnoreLetterCase) {
  conn.BeginTrans();  // the demo rows are shared by the tests of this suite
  for (const char* table_key : {"OA_MSG.OAID", "KE_Email.KEID", "KE_Department.DepartMentID",
                                "KE_ReqType.ReqTypeID", "Usr_Init.UsrID"}) {
    const std::string table = std::string(table_key).substr(0, std::string(table_key).find('.'));
    const std::string key = std::string(table_key).substr(table.size() + 1);
    Recordset rs;
    rs.Open("select * from " + table + " where " + key + "=0", conn);
    rs.AddNew();
    rs.Update();
    EXPECT_GT(vb::CLng(rs(key.c_str())), 0) << table_key;
  }
  conn.RollbackTrans();
  EXPECT_EQ(rows("select TureName from KE_UserInfor where UserName='ZhangSan'"),
            std::vector<std::string>{"张三"});
  EXPECT_EQ(rows("select count(*) from OA_Flow_Model_JieDian where isFirst='1' and MOAID=1"),
            std::vector<std::string>{"1"});
}

TEST_F(DemoDatabaseTest, DemoKeysNameTheRowsTheyDescribe) {
  EXPECT_EQ(rows("select TureName, DepartMentID from KE_UserInfor where UserName='" +
                 std::string(demo::kUserName) + "'"),
            std::vector<std::string>{std::string(demo::kTureName) + "|" +
                                     std::to_string(demo::kDepartmentID)});
  EXPECT_EQ(rows("select DepartName from KE_Department where DepartMentID=" +
                 std::to_string(demo::kDepartmentID)),
            std::vector<std::string>{demo::kDeptName});
  EXPECT_EQ(rows("select JieDianID, BanLiType from OA_DaiBan_LiuCheng where BiaoDanID='1' and "
                 "BiaoDanRecordID='1' and BanLiRen='zhangsan'"),
            std::vector<std::string>{std::to_string(demo::kNodeKey) + "|0"});
  EXPECT_EQ(rows("select CurrentJieDianIDs, LiuChengID, isover from OA_FLOW_" +
                 std::to_string(demo::kFormKey) + "_Main where OAID=" +
                 std::to_string(demo::kRecordKey)),
            std::vector<std::string>{"2|1|0"});
  EXPECT_EQ(rows("select MOAID, JieDianName from OA_Flow_Model_JieDian where OAID=2"),
            std::vector<std::string>{std::to_string(demo::kModelKey) + "|部门审核"});
  EXPECT_EQ(rows("select isSystem, BiaoDanID from OA_Flow_Model_Header order by OAID"),
            (std::vector<std::string>{"1|1", "2|1"}));
  EXPECT_EQ(demo::kPrivilegedModelKey, 2);
}

TEST_F(DemoDatabaseTest, DepartmentTreeIsThreeLevelsDeepAndUsersHaveChineseNames) {
  EXPECT_EQ(rows("select c.DepartName from KE_Department a join KE_Department b on b.ParentID="
                 "a.DepartMentID join KE_Department c on c.ParentID=b.DepartMentID "
                 "where a.ParentID=0 order by c.OrderNumber"),
            (std::vector<std::string>{"软件开发组", "测试组", "会计组"}));
  EXPECT_EQ(rows("select count(*) from KE_UserInfor"), std::vector<std::string>{"10"});
  EXPECT_EQ(rows("select count(*) from KE_UserInfor where TureName glob '*[a-z]*'"),
            std::vector<std::string>{"0"});
}

TEST_F(DemoDatabaseTest, FormUsesEveryFieldTypeAndEveryPlaceholderKind) {
  const std::vector<std::string> types = rows(
      "select FieldType from OA_Flow_BiaoDan_Fields where OAID between 1 and 19 order by OAID");
  EXPECT_EQ(types, (std::vector<std::string>{
                       "HTML编辑器型", "复选框", "下拉列表型", "真假型", "日期时间型", "选择型",
                       "意见型", "签字型", "选择部门型", "查询型", "选择用户型", "附件型",
                       "多附件型", "图片型", "签名文件型", "备注型", "流水号型", "超链接型",
                       "电子邮件型"}));
  const std::string tmpl = rows("select BiaoDanCSS from OA_Flow_BiaoDan where OAID=1").at(0);
  for (const char* piece : {"{_1:", "{_2:", "{_3:", "{_4:", "{_5:", "{_6:", "$1:采购明细$", "{%20%}"}) {
    EXPECT_NE(tmpl.find(piece), std::string::npos) << piece;
  }
  for (int key = 1; key <= 24; ++key) {
    if (key >= 21 && key <= 23) continue;  // the detail table's columns
    EXPECT_NE(tmpl.find("{" + std::to_string(key) + ":"), std::string::npos) << key;
  }
  EXPECT_EQ(rows("select OAID, UserNames from OA_Flow_BiaoDan_Fields where isyincang='1'"),
            std::vector<std::string>{"24|;wangwu;"});
  // Each detail caption has its "QM" field.
  EXPECT_EQ(rows("select DisPlayItemS from OA_Flow_BiaoDan_FieldGuanLian where OAID=1"),
            std::vector<std::string>{"名称,数量,单价"});
  for (const char* caption : {"名称", "数量", "单价"}) {
    EXPECT_EQ(rows(std::string("select count(*) from OA_Flow_BiaoDan_Fields where FieldName='QM") +
                   caption + "'"),
              std::vector<std::string>{"1"});
  }
}

TEST_F(DemoDatabaseTest, EveryFieldHasItsColumnsInTheRecordTable) {
  const std::set<std::string> columns = columns_of("OA_FLOW_1_Main");
  Recordset fields;
  fields.Open("select FieldName, FieldType from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_1_Main'", conn);
  EXPECT_EQ(fields.RecordCount(), 24);
  for (; !fields.EOF_(); fields.MoveNext()) {
    const std::string name = vb::CStr(fields("FieldName"));
    const std::string type = vb::CStr(fields("FieldType"));
    EXPECT_TRUE(columns.count(name)) << name;
    if (type == "附件型") {
      EXPECT_TRUE(columns.count(name + "Title") && columns.count(name + "Content")) << name;
    }
    if (type == "查询型") {
      EXPECT_TRUE(columns.count(name + "value")) << name;
    }
  }
}

TEST_F(DemoDatabaseTest, WorkflowModelHasFourConnectedNodesAndARemarkWithItsBlocks) {
  EXPECT_EQ(rows("select OAID, isFirst from OA_Flow_Model_JieDian where MOAID=1 order by OAID"),
            (std::vector<std::string>{"1|1", "2|0", "3|0", "4|3"}));
  EXPECT_EQ(rows("select FromID, ToID from OA_Flow_Model_JieDian_ConnectTiaoJian where MOAID=1 "
                 "order by OAID"),
            (std::vector<std::string>{"1|2", "2|3", "2|4", "3|4"}));
  EXPECT_EQ(rows("select iszhuanban||isgoutong||isFenFa||isFeiQi||isBoHui from "
                 "OA_Flow_Model_JieDian where OAID=2"),
            std::vector<std::string>{"11111"});
  const std::string remark = rows("select Remark from OA_Flow_Model_JieDian where OAID=2").at(0);
  for (const char* tag : {"<VB>", "</VB>", "<PRE>", "</PRE>", "<PASP>", "</PASP>", "\r\n"}) {
    EXPECT_NE(remark.find(tag), std::string::npos) << tag;
  }
  EXPECT_EQ(rows("select count(*) from OA_Flow_Model_JieDian where MOAID=2"),
            std::vector<std::string>{"3"});
}

TEST_F(DemoDatabaseTest, RecordHasOpinionsSignOffsAttachmentsAndAStep) {
  EXPECT_EQ(rows("select FieldID, count(*) from OA_Flow_YiJian where BiaoDanID='1' and "
                 "BiaoDanRecordID='1' group by FieldID order by FieldID"),
            (std::vector<std::string>{"7|2", "8|2"}));
  EXPECT_EQ(rows("select BanLiID, count(*) from OA_Flow_FuJian where BiaoDanRecordID='1' "
                 "group by BanLiID order by BanLiID"),
            (std::vector<std::string>{"0|2", "1|1"}));
  EXPECT_EQ(rows("select JieDianID, BanLiRen, BanLiJieGuo from OA_FLOW_1_BanLi where OAID=1"),
            std::vector<std::string>{"1|lisi|2"});
  EXPECT_EQ(rows("select count(*) from OA_MSG where ID1='1' and ID2='1' and username='zhangsan'"),
            std::vector<std::string>{"1"});
}

// The pages' own SQL texts, as they stand, find the demo rows (quoted and unquoted keys,
// column names in other letter cases, T-SQL forms).
TEST_F(DemoDatabaseTest, PageQueriesFindTheDemoRows) {
  struct Case {
    const char* sql;
    long rows;
  };
  const Case cases[] = {
      {"select * from OA_AnQuan", 1},
      {"select * from KE_UserInfor where UserName='zhangsan'", 1},
      {" select  *  from OA_DaiBan_LiuCheng where BiaoDanRecordID='1' and BiaoDanID='1' and "
       "BanLiRen='zhangsan'", 1},
      {"Select * from OA_Flow_Model_JieDian where OAID=2", 1},
      {"Select * from OA_Flow_Model_JieDian where OAID='2'", 1},
      {"select * from OA_Flow_BiaoDan where OAID = 1", 1},
      {"select * from OA_FLOW_1_Main where OAID=1", 1},
      {"select * from OA_FLOW_1_BanLi where OAID=1", 1},
      {"select * from OA_Flow_Model_JieDian where isFirst ='1'  and Moaid=1", 1},
      {"select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_1_Main'", 24},
      {"Select * from  OA_DaiBan_LiuCheng where BiaoDanID='1' and BiaoDanRecordID='1'   and "
       "JieDianID='2' and BanLiRen='zhangsan' and  BanLiType<>'1'", 1},
      {"select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_1_Main' and isyincang='1' "
       "and UserNames not like '%;zhangsan;%'", 1},
      {"select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_1_Main' and isyincang='1' "
       "and UserNames not like '%;wangwu;%'", 0},
      {"select distinct JieDianID from OA_FLOW_1_BanLi where BiaoDanRecordID ='1'", 1},
      {"select * from OA_Flow_Model_JieDian where   OAID in (1)  and EditFields like '%,-2,%'", 1},
      {" select * from OA_Flow_YiJian where BiaoDanRecordID='1' and BiaoDanID='1' and FieldID='7' "
       "order by OAID", 2},
      {" select * from OA_Flow_FuJian where BiaoDanRecordID='1' and BiaoDanID='1' and BanLiID=0  "
       "and FieldID='13'  order by OAID", 2},
      {"select * from OA_Flow_QianMing where usernames like '%;zhangsan;%'", 1},
      {"select * from ke_userinfor where username in ('wangwu','zhaoliu') order by ordernumber", 2},
      {"select * from KE_Department where DepartMentID in (3,7) order by ordernumber", 2},
      {"select * From OA_ZiDian where ZDType = '1' and  ParentID in (select OAID from OA_ZiDian "
       "where Name = '采购类别') order by OrderNumber ", 3},
      {"select * from OA_Flow_Model_Header where OAID =  2", 1},
      {"Select * from OA_Flow_Model_JieDian_ConnectTiaoJian where FromID=2", 2},
      {"select * from KE_Department where  DepartmentID=5", 1},
      {"select top 1 * from OA_AnQuan", 1},
  };
  for (const Case& c : cases) {
    Recordset rs;
    rs.Open(c.sql, conn, 1, 3);
    EXPECT_EQ(rs.RecordCount(), c.rows) << c.sql;
  }
  conn.BeginTrans();  // the demo rows are shared by the tests of this suite
  conn.Execute("Delete OA_MSG where ID1='1' and ID2='1'   and username='zhangsan'");
  EXPECT_EQ(rows("select count(*) from OA_MSG where ID1='1'"), std::vector<std::string>{"0"});
  conn.RollbackTrans();
}

TEST_F(DemoDatabaseTest, SettingsDictionaryAndStoredQueries) {
  EXPECT_EQ(rows("select top 1 TimeOut from OA_AnQuan"), std::vector<std::string>{"45"});
  EXPECT_EQ(rows("select Name From OA_ZiDian where ZDType = '1' and  ParentID in (select OAID "
                 "from OA_ZiDian where Name = '常用意见') order by OrderNumber "),
            (std::vector<std::string>{"同意", "不同意", "请领导审批"}));
  // The serial-number field's default is a stored T-SQL query, run as it stands.
  const std::string query =
      rows("select DefaultValue from OA_Flow_BiaoDan_Fields where OAID=17").at(0);
  EXPECT_EQ(rows(query), std::vector<std::string>{"CG-2011-"});
}

TEST(CreateDatabaseTest, TablesOnlyRefusesToOverwriteAndReplacesWhenAsked) {
  const std::string path = scratch_path("tables_only");
  create_database(path, false);
  {
    Connection conn;
    conn.Open("Provider=SQLite;Data Source=" + path);
    Recordset rs;
    rs.Open("select count(*) from KE_UserInfor", conn);
    EXPECT_EQ(vb::CLng(rs(0)), 0);
  }
  try {
    create_database(path, true);
    ADD_FAILURE() << "an existing file was overwritten";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 58);
    EXPECT_EQ(e.description(), "File already exists: " + path);
  }
  create_database(path, true, true);
  Connection conn;
  conn.Open("Provider=SQLite;Data Source=" + path);
  Recordset rs;
  rs.Open("select count(*) from KE_UserInfor", conn);
  EXPECT_EQ(vb::CLng(rs(0)), 10);
  EXPECT_FALSE(std::filesystem::exists(path + ".building"));
  std::filesystem::remove(path);
}

TEST(CreateDatabaseTest, UnwritablePlaceRaisesAndLeavesNothing) {
  try {
    create_database("/nonexistent/dir/office.db", true);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), -2147467259);
    EXPECT_EQ(e.description(), "unable to open database file");
  }
}

TEST(FormTablesTest, NewFormTablesTakeRowsAndMatchTheDemoForm) {
  const std::string path = scratch_path("form_tables");
  create_database(path, true);
  create_form_tables(path, 7, {"QMTitle", "附件", "附件Title", "附件Content", "he said \"x\""});
  Connection conn;
  conn.Open("Provider=SQLite;Data Source=" + path);
  Recordset rs;
  rs.Open("select * from OA_FLOW_7_Main where OAID=0", conn);
  rs.AddNew();
  rs("QMTitle") = "标题";
  rs("he said \"x\"") = "y";
  rs.Update();
  EXPECT_EQ(vb::CLng(rs("OAID")), 1);
  rs.Close();

  // The demo's hand-written tables start with exactly the columns the helper writes.
  auto shape = [&](const std::string& table) {
    std::vector<std::string> out;
    Recordset info;
    info.Open("select name, type, pk from pragma_table_info('" + table + "') order by cid", conn);
    for (; !info.EOF_(); info.MoveNext()) {
      out.push_back(vb::CStr(info(0)) + " " + vb::CStr(info(1)) + " " + vb::CStr(info(2)));
    }
    return out;
  };
  const std::vector<std::string> demo_main = shape("OA_FLOW_1_Main");
  const std::vector<std::string> new_main = shape("OA_FLOW_7_Main");
  ASSERT_EQ(new_main.size(), 15u);
  EXPECT_EQ(std::vector<std::string>(demo_main.begin(), demo_main.begin() + 10),
            std::vector<std::string>(new_main.begin(), new_main.begin() + 10));
  EXPECT_EQ(shape("OA_FLOW_1_BanLi"), shape("OA_FLOW_7_BanLi"));

  try {
    create_form_tables(path, 7, {});
    ADD_FAILURE() << "tables created twice";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.description(), "table OA_FLOW_7_Main already exists");
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace schema
