// Recordset: walking rows, field access and its errors, value mapping, AddNew/Update.
#include "platform/ado/recordset.h"

#include <gtest/gtest.h>

#include "platform/ado/ado_error.h"
#include "platform/ado/connection.h"
#include "platform/ado/scratch_database.h"
#include "vb/builtins.h"

namespace platform::ado {
namespace {

using testing::raised_by;
using testing::ScratchDatabase;

constexpr const char* kSchema = R"sql(
CREATE TABLE KE_Department(DepartMentID INTEGER PRIMARY KEY AUTOINCREMENT,
  ParentID INTEGER, DepartName TEXT COLLATE NOCASE, OrderNumber INTEGER);
INSERT INTO KE_Department(ParentID, DepartName, OrderNumber) VALUES
  (0, '总公司', 1), (1, '办公室', 2), (1, '财务部', 3);
CREATE TABLE OA_MSG(OAID INTEGER PRIMARY KEY AUTOINCREMENT, userName TEXT COLLATE NOCASE,
  msg TEXT, shijian TEXT, isView TEXT COLLATE NOCASE DEFAULT '0', ID1 TEXT, ID2 TEXT);
CREATE TABLE Mapping(OAID INTEGER PRIMARY KEY, Small INTEGER, Big INTEGER, Real REAL,
  Txt TEXT, Stamp TEXT, Bytes BLOB, Missing TEXT);
INSERT INTO Mapping VALUES(1, -7, 3000000000, 2.5, '张三', '2011-09-02 14:07:05', x'00ff41', NULL);
CREATE TABLE Stored(OAID INTEGER PRIMARY KEY AUTOINCREMENT, v);
CREATE TABLE NoKey(Name TEXT);
INSERT INTO NoKey VALUES('a');
)sql";

class RecordsetTest : public ::testing::Test {
 protected:
  RecordsetTest() { conn.Open(db.connect_string()); }
  ScratchDatabase db{kSchema};
  Connection conn;
  Recordset rs;
};

TEST_F(RecordsetTest, CountsAndWalksRowsToEof) {
  rs.Open("select * from KE_Department order by OrderNumber", conn, 1, 3);
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_FALSE(rs.BOF());
  std::vector<std::string> names;
  for (long i = 1; i <= rs.RecordCount(); ++i) {
    names.push_back(vb::CStr(rs("DepartName")));
    rs.MoveNext();
  }
  EXPECT_EQ(names, (std::vector<std::string>{"总公司", "办公室", "财务部"}));
  EXPECT_TRUE(rs.EOF_());
  const long line = __LINE__; const vb::VbError e = raised_by([&] { rs.MoveNext(); });
  EXPECT_EQ(e.number(), kNoCurrentRecord);
  EXPECT_EQ(e.line(), line);
  rs.MoveFirst();
  EXPECT_EQ(vb::CStr(rs("DepartName")), "总公司");
}

TEST_F(RecordsetTest, EmptyResultIsBothBofAndEof) {
  rs.Open("select * from KE_Department where ParentID=99", conn);
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_TRUE(rs.BOF());
  EXPECT_TRUE(rs.EOF_());
}

TEST_F(RecordsetTest, ReadingPastEofRaises3021AtTheCallersLine) {
  rs.Open("select * from KE_Department where ParentID=99", conn);
  const long line = __LINE__; const vb::VbError e = raised_by([&] { vb::Variant v = rs("DepartName"); });
  EXPECT_EQ(e.number(), 3021);
  EXPECT_EQ(e.description(),
            "Either BOF or EOF is True, or the current record has been deleted. Requested "
            "operation requires a current record.");
  EXPECT_EQ(e.line(), line);
}

TEST_F(RecordsetTest, FieldsMatchByNameInAnyCaseAndByPosition) {
  rs.Open("select * from KE_Department where DepartMentID=2", conn);
  for (const char* name : {"DepartName", "departname", "DEPARTNAME", "dePartNaMe"}) {
    EXPECT_EQ(vb::CStr(rs(name)), "办公室") << name;
  }
  EXPECT_EQ(rs("departmentid").Name(), "DepartMentID");
  EXPECT_EQ(rs.Fields().Count(), 4);
  EXPECT_EQ(vb::CStr(rs(2)), "办公室");
  EXPECT_EQ(rs.Fields().Item(vb::Variant("PARENTID")).Value(), 1);
  EXPECT_TRUE(rs("DepartName") == "办公室");
}

TEST_F(RecordsetTest, MissingFieldRaises3265) {
  rs.Open("select * from KE_Department", conn);
  for (const vb::Variant& key : {vb::Variant("Nope"), vb::Variant(4), vb::Variant(-1), vb::Variant()}) {
    const long line = __LINE__; const vb::VbError e = raised_by([&] { rs(key); });
    EXPECT_EQ(e.number(), 3265);
    EXPECT_EQ(e.description(),
              "Item cannot be found in the collection corresponding to the requested name or "
              "ordinal.");
    EXPECT_EQ(e.line(), line);
  }
}

TEST_F(RecordsetTest, ColumnValuesMapToVariantSubtypes) {
  rs.Open("select * from Mapping", conn);
  struct Case {
    const char* column;
    int var_type;  // as VarType numbers it
  };
  for (const Case& c : {Case{"Small", 3}, Case{"Big", 5}, Case{"Real", 5}, Case{"Txt", 8},
                        Case{"Stamp", 8}, Case{"Bytes", 8}, Case{"Missing", 1}}) {
    EXPECT_EQ(vb::VarType(rs(c.column)), c.var_type) << c.column;
  }
  EXPECT_EQ(vb::CLng(rs("Small")), -7);
  EXPECT_EQ(vb::CDbl(rs("Big")), 3000000000.0);
  EXPECT_EQ(vb::CStr(rs("Stamp")), "2011-09-02 14:07:05");
  EXPECT_EQ(rs("Bytes").Value().str(), std::string("\0\xff" "A", 3));
  EXPECT_TRUE(vb::IsNull(rs("Missing")));
}

TEST_F(RecordsetTest, AddNewUpdateReadsTheNewKeyBack) {
  for (const char* sql : {"select * from OA_MSG where OAID=0", "select * from OA_MSG where oaid=0",
                          "Select  *  From [OA_MSG] Where OAID =0 "}) {
    rs.Open(sql, conn, 1, 3);
    EXPECT_EQ(rs.RecordCount(), 0);
    rs.AddNew();
    rs("userName") = "zhangsan";
    rs("msg") = sql;
    rs("shijian") = vb::Date{40788.5};  // 2011-09-02 12:00
    rs.Update();
    const long key = vb::CLng(rs("OAID"));
    EXPECT_GT(key, 0);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(vb::CStr(rs("isView")), "0");  // the table's default, read back with the key
    rs.Close();

    rs.Open("select * from OA_MSG where OAID=" + std::to_string(key), conn);
    ASSERT_EQ(rs.RecordCount(), 1) << sql;
    EXPECT_EQ(vb::CStr(rs("msg")), sql);
    EXPECT_EQ(vb::CStr(rs("shijian")), "2011-09-02 12:00:00");
    EXPECT_TRUE(vb::IsNull(rs("ID1")));
    rs.Close();
  }
}

TEST_F(RecordsetTest, AssignedValuesAreStoredByTheirSubtype) {
  struct Case {
    vb::Variant value;
    const char* stored;  // typeof() and the value as SQLite holds it
  };
  const Case cases[] = {
      {vb::Variant(), "null|"},
      {vb::Variant(vb::Null), "null|"},
      {vb::Variant(true), "integer|-1"},
      {vb::Variant(false), "integer|0"},
      {vb::Variant(short{12}), "integer|12"},
      {vb::Long(70000), "integer|70000"},
      {vb::Variant(2.5), "real|2.5"},
      {vb::Variant(vb::Currency{125000}), "real|12.5"},
      {vb::Variant(vb::Date{40788.0 + 14.0 / 24 + 7.0 / 1440}), "text|2011-09-02 14:07:00"},
      {vb::Variant("张三"), "text|张三"},
  };
  for (const Case& c : cases) {
    conn.Execute("delete from Stored");
    rs.Open("select * from Stored where OAID=0", conn);
    rs.AddNew();
    rs("v") = c.value;
    rs.Update();
    rs.Close();
    rs.Open("select typeof(v) || '|' || ifnull(v, '') from Stored", conn);
    EXPECT_EQ(vb::CStr(rs(0)), c.stored);
    rs.Close();
  }
  rs.Open("select * from Stored where OAID=0", conn);
  rs.AddNew();
  const vb::VbError e = raised_by([&] {
    rs("v") = vb::Variant(vb::Array{vb::Variant(1)});
    rs.Update();
  });
  EXPECT_EQ(e.number(), vb::kTypeMismatch);
}

TEST_F(RecordsetTest, UpdateWritesTheChangedColumnsOfTheCurrentRow) {
  rs.Open("select * from KE_Department order by DepartMentID", conn);
  rs.MoveNext();
  rs("DepartName") = "综合办公室";
  rs.Update();
  rs.Close();
  rs.Open("select * from KE_Department order by DepartMentID", conn);
  std::vector<std::string> names;
  for (; !rs.EOF_(); rs.MoveNext()) names.push_back(vb::CStr(rs("DepartName")));
  EXPECT_EQ(names, (std::vector<std::string>{"总公司", "综合办公室", "财务部"}));
}

TEST_F(RecordsetTest, MovingOnWritesThePendingRow) {
  rs.Open("select * from OA_MSG where OAID=0", conn);
  rs.AddNew();
  rs("msg") = "first";
  rs.AddNew();  // writes "first"
  rs("msg") = "second";
  rs.MoveFirst();  // writes "second"
  rs.Close();
  rs.Open("select msg from OA_MSG order by OAID", conn);
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(vb::CStr(rs("msg")), "first");
}

TEST_F(RecordsetTest, FieldAssignedFromAnotherRecordsetsFieldTakesItsValue) {
  Recordset source;
  source.Open("select * from KE_Department where DepartMentID=3", conn);
  rs.Open("select * from OA_MSG where OAID=0", conn);
  rs.AddNew();
  rs("msg") = source("DepartName");
  rs("ID1") = source("DepartMentID");
  source.Close();
  rs.Update();
  EXPECT_EQ(vb::CStr(rs("msg")), "财务部");
  EXPECT_EQ(vb::CStr(rs("ID1")), "3");
}

TEST_F(RecordsetTest, UpdateNeedsOneTableWithAnIntegerKey) {
  struct Case {
    const char* sql;
    const char* message;
  };
  for (const Case& c :
       {Case{"select * from NoKey", "Insufficient key column information for updating or refreshing."},
        Case{"select DepartName from KE_Department",
             "Insufficient key column information for updating or refreshing."},
        Case{"select * from KE_Department a, NoKey b",
             "Insufficient base table information for updating or refreshing."}}) {
    Recordset r;
    r.Open(c.sql, conn);
    r(0) = "x";
    const vb::VbError e = raised_by([&] { r.Update(); });
    EXPECT_EQ(e.number(), kProviderFailed) << c.sql;
    EXPECT_EQ(e.description(), c.message) << c.sql;
  }
}

TEST_F(RecordsetTest, RefusedRowRaisesTheDatabaseMessage) {
  conn.Execute("create table Strict(OAID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT NOT NULL)");
  rs.Open("select * from Strict where OAID=0", conn);
  rs.AddNew();
  const vb::VbError e = raised_by([&] { rs.Update(); });
  EXPECT_EQ(e.number(), kCommandFailed);
  EXPECT_EQ(e.description(), "NOT NULL constraint failed: Strict.Name");
}

TEST_F(RecordsetTest, OpenStateErrors) {
  EXPECT_EQ(raised_by([&] { rs.RecordCount(); }).number(), kObjectClosed);
  EXPECT_EQ(raised_by([&] { rs.Close(); }).number(), kObjectClosed);
  EXPECT_EQ(rs.Fields().Count(), 0);
  rs.Open("select * from KE_Department", conn);
  EXPECT_EQ(raised_by([&] { rs.Open("select 1", conn); }).number(), kObjectOpen);
  rs.Close();
  EXPECT_EQ(raised_by([&] { rs("DepartName"); }).number(), kObjectClosed);

  EXPECT_EQ(raised_by([&] { rs.Open("select 1", vb::Variant("conn")); }).number(), vb::kObjectRequired);
  Connection closed;
  EXPECT_EQ(raised_by([&] { rs.Open("select 1", closed); }).number(), kConnectionUnusable);
}

TEST_F(RecordsetTest, OpensOnAVariantHoldingTheConnection) {
  auto shared = std::make_shared<Connection>();
  shared->Open(db.connect_string());
  const vb::Variant page_conn(shared);
  rs.Open("select * from KE_Department", page_conn, 1, 3);
  EXPECT_EQ(rs.RecordCount(), 3);
}

TEST_F(RecordsetTest, StatementThroughOpenRunsAndLeavesItClosed) {
  rs.Open("delete from NoKey", conn);
  EXPECT_EQ(rs.State(), 0);
  Recordset check;
  check.Open("select * from NoKey", conn);
  EXPECT_EQ(check.RecordCount(), 0);
}

TEST_F(RecordsetTest, RowsOutliveTheConnectionButUpdatesDoNot) {
  rs.Open("select * from KE_Department", conn);
  conn.Close();
  EXPECT_EQ(vb::CStr(rs("DepartName")), "总公司");
  rs("DepartName") = "x";
  EXPECT_EQ(raised_by([&] { rs.Update(); }).number(), kConnectionUnusable);
}

}  // namespace
}  // namespace platform::ado
