// create_database and create_form_tables: refusals, keys, and demo rows that exercise
// every part of the page.
#include "schema/database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "schema/form_tables.h"
#include "support/vb_matchers.h"

namespace schema {
namespace {

using platform::ado::Connection;
using platform::ado::Recordset;
using Rows = std::vector<std::string>;

std::string scratch_path(const std::string& name) {
  const std::string path =
      ::testing::TempDir() + "schema_" + std::to_string(getpid()) + "_" + name + ".db";
  std::filesystem::remove(path);
  return path;
}

// The rows of `sql` on `conn`, each row's columns joined by "|".
Rows rows(Connection& conn, const std::string& sql) {
  Recordset rs;
  Rows out;
  for (rs.Open(sql, conn); !rs.EOF_(); rs.MoveNext()) {
    std::string row;
    for (long i = 0; i < rs.Fields().Count(); ++i) {
      row += (i ? "|" : "") + (vb::IsNull(rs(i)) ? std::string("NULL") : vb::CStr(rs(i)));
    }
    out.push_back(row);
  }
  return out;
}

// One demo database for the suite; a test that writes to it rolls its changes back.
class DemoDatabaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    path_ = new std::string(scratch_path("demo"));
    create_database(*path_, true);
  }
  static void TearDownTestSuite() {
    std::filesystem::remove(*path_);
    delete path_;
  }
  DemoDatabaseTest() { conn.Open("Provider=SQLite;Data Source=" + *path_); }

  Rows rows(const std::string& sql) { return schema::rows(conn, sql); }

  static std::string* path_;
  Connection conn;
};
std::string* DemoDatabaseTest::path_ = nullptr;

TEST_F(DemoDatabaseTest, AddNewGetsKeysNumberedByTheDatabase) {
  conn.BeginTrans();
  for (const auto& [table, key] :
       {std::pair{"OA_MSG", "OAID"}, std::pair{"KE_Email", "KEID"},
        std::pair{"KE_Department", "DepartMentID"}, std::pair{"KE_ReqType", "ReqTypeID"},
        std::pair{"Usr_Init", "UsrID"}}) {
    Recordset rs;
    rs.Open(std::string("select * from ") + table + " where " + key + "=0", conn);
    rs.AddNew();
    rs.Update();
    EXPECT_GT(vb::CLng(rs(key)), 0) << table;
  }
  conn.RollbackTrans();
}

// The node remark holds every kind of block; the golden pages pin the form's fields and template,
// but no page shows every block.
TEST_F(DemoDatabaseTest, NodeRemarkUsesEveryBlockKind) {
  const std::string remark = rows("select Remark from OA_Flow_Model_JieDian where OAID=2").at(0);
  for (const char* tag : {"<VB>", "</VB>", "<PRE>", "</PRE>", "<PASP>", "</PASP>", "\r\n"}) {
    EXPECT_NE(remark.find(tag), std::string::npos) << tag;
  }
}

// The pages' own SQL texts, as they stand, find the demo rows: texts ignore letter case, a
// quoted key finds a number, names match in any case, stored T-SQL defaults and statements run.
TEST_F(DemoDatabaseTest, PageQueriesFindTheDemoRows) {
  const std::pair<const char*, long> cases[] = {
      {"select * from KE_UserInfor where UserName='ZhangSan'", 1},
      {"Select * from OA_Flow_Model_JieDian where OAID='2'", 1},
      {"select * from OA_Flow_Model_JieDian where isFirst ='1'  and Moaid=1", 1},
      {"select * from ke_userinfor where username in ('wangwu','zhaoliu') order by ordernumber", 2},
      {"select * from OA_MSG where ID1='1' and ID2='1' and username='zhangsan'", 1},
  };
  for (const auto& [sql, count] : cases) {
    Recordset rs;
    rs.Open(sql, conn, 1, 3);
    EXPECT_EQ(rs.RecordCount(), count) << sql;
  }
  const std::string serial_default =
      rows("select DefaultValue from OA_Flow_BiaoDan_Fields where OAID=17").at(0);
  EXPECT_EQ(rows(serial_default), Rows{"CG-2011-"});

  conn.BeginTrans();
  conn.Execute("Delete OA_MSG where ID1='1' and ID2='1'   and username='zhangsan'");
  EXPECT_EQ(rows("select count(*) from OA_MSG where ID1='1'"), Rows{"0"});
  conn.RollbackTrans();
}

TEST(CreateDatabase, TablesOnlyRefusesToOverwriteAndReplacesWhenAsked) {
  const std::string path = scratch_path("tables_only");
  // A pooled session notices a replaced file within a second; each count takes a new one.
  const auto user_count = [&](const std::string& connect) {
    Connection conn;
    conn.Open(connect);
    return rows(conn, "select count(*) from KE_UserInfor");
  };
  create_database(path, false);
  EXPECT_EQ(user_count("Provider=SQLite;Data Source=" + path), Rows{"0"});
  EXPECT_VB_ERROR_TEXT(58, "File already exists: " + path, create_database(path, true));
  create_database(path, true, true);
  EXPECT_EQ(user_count("Data Source=" + path + ";Provider=SQLite"), Rows{"11"});
  EXPECT_FALSE(std::filesystem::exists(path + ".building"));
  std::filesystem::remove(path);
}

TEST(CreateDatabase, UnwritablePlaceRaises) {
  EXPECT_VB_ERROR_TEXT(-2147467259, "unable to open database file",
                       create_database("/nonexistent/dir/office.db", true));
}

TEST(CreateFormTables, NewFormTablesTakeRowsAndMatchTheDemoForm) {
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

  // The demo's hand-written tables start with exactly the columns the helper writes.
  const auto shape = [&](const std::string& table) {
    return rows(conn, "select name, type, pk from pragma_table_info('" + table + "') order by cid");
  };
  const Rows demo_main = shape("OA_FLOW_1_Main");
  const Rows new_main = shape("OA_FLOW_7_Main");
  ASSERT_EQ(new_main.size(), 15u);
  EXPECT_EQ(Rows(demo_main.begin(), demo_main.begin() + 10),
            Rows(new_main.begin(), new_main.begin() + 10));
  EXPECT_EQ(shape("OA_FLOW_1_BanLi"), shape("OA_FLOW_7_BanLi"));

  EXPECT_VB_ERROR_TEXT(-2147467259, "table OA_FLOW_7_Main already exists",
                       create_form_tables(path, 7, {}));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace schema
