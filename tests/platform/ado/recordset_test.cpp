// Recordset: walking rows, field access and its errors, value mapping, AddNew/Update.
#include "platform/ado/recordset.h"

#include <gtest/gtest.h>

#include "platform/ado/ado_fixture.h"
#include "support/vb_matchers.h"

namespace platform::ado {
namespace {

using testing::raised_by;
using RecordsetTest = testing::DriverTest;

constexpr const char* kNoCurrentRecordText =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires a current record.";

// The first column of every row of `sql`, as text.
std::vector<std::string> first_column(Connection& conn, const std::string& sql) {
  Recordset rs;
  std::vector<std::string> out;
  for (rs.Open(sql, conn); !rs.EOF_(); rs.MoveNext()) out.push_back(vb::CStr(rs(0)));
  return out;
}

TEST_P(RecordsetTest, WalksRowsToEofAndAnEmptyResultIsBofAndEof) {
  rs.Open("select * from KE_Department order by OrderNumber", conn, 1, 3);
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_FALSE(rs.BOF());
  for (int i = 0; i < 3; ++i) rs.MoveNext();
  EXPECT_TRUE(rs.EOF_());
  EXPECT_ADO_ERROR_HERE(kNoCurrentRecord, kNoCurrentRecordText, rs.MoveNext());
  rs.MoveFirst();
  EXPECT_EQ(vb::CStr(rs("DepartName")), "总公司");
  rs.Close();
  rs.Open("select * from KE_Department where ParentID=99", conn);
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_TRUE(rs.BOF());
  EXPECT_TRUE(rs.EOF_());
  EXPECT_ADO_ERROR_HERE(3021, kNoCurrentRecordText, vb::Variant v = rs("DepartName"));
}

TEST_P(RecordsetTest, MissingFieldRaises3265AtTheCallersLine) {
  rs.Open("select * from KE_Department", conn);
  for (const vb::Variant& key :
       {vb::Variant("Nope"), vb::Variant(4), vb::Variant(-1), vb::Variant()}) {
    EXPECT_ADO_ERROR_HERE(
        3265,
        "Item cannot be found in the collection corresponding to the requested name or ordinal.",
        rs(key));
  }
}

// A form's main table has a column per field, each read by name: a wide result finds every
// name in any case, the first of two equal names, and after a reopening on other columns only
// the new ones, however often it is asked.
TEST_P(RecordsetTest, WideResultsFindTheFirstColumnOfANameInAnyCase) {
  const char* missing =
      "Item cannot be found in the collection corresponding to the requested name or ordinal.";
  std::string wide = "select ";
  for (int i = 0; i < 40; ++i) wide += "'v" + std::to_string(i) + "' as Col" + std::to_string(i) + ", ";
  for (const char* last : {"'again' as COL7", "'last' as Col40"}) {
    rs.Open(wide + last, conn);
    for (int round = 0; round < 2; ++round) {
      for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(vb::CStr(rs((i % 2 == 0 ? "col" : "COL") + std::to_string(i))), "v" + std::to_string(i));
      }
    }
    EXPECT_EQ(rs("col7").Name(), "Col7");
    EXPECT_ADO_ERROR_HERE(3265, missing, rs("Col41"));
    rs.Close();
  }
  rs.Open(wide + "'last' as Col40", conn);
  EXPECT_EQ(vb::CStr(rs("cOL40")), "last");
  rs.Close();
  rs.Open(wide + "'again' as COL7", conn);
  EXPECT_ADO_ERROR_HERE(3265, missing, rs("Col40"));
}

// A typed date column comes through ODBC as a date; every column of a row of Nulls holds a
// cell, so the rows after it stay aligned.
TEST_P(RecordsetTest, ColumnValuesMapToVariantSubtypes) {
  struct Case {
    const char* column;
    int var_type;  // as VarType numbers it
    std::string text;
  };
  rs.Open("select * from Mapping order by OAID", conn);
  for (const Case& c :
       {Case{"Small", 3, "-7"}, Case{"Big", 5, "3000000000"}, Case{"Real", 5, "2.5"},
        Case{"Txt", 8, "张三"}, Case{"Stamp", 8, "2011-09-02 14:07:05"},
        Case{"Bytes", 8, std::string("\0\xff\x41", 3)}, Case{"Missing", 1, ""},
        Case{"Dated", odbc() ? 7 : 8, odbc() ? "2011-9-2 14:07:05" : "2011-09-02 14:07:05"}}) {
    const vb::Variant value = rs(c.column).Value();
    EXPECT_EQ(vb::VarType(value), c.var_type) << c.column;
    if (!vb::IsNull(value)) {
      EXPECT_EQ(vb::CStr(value), c.text) << c.column;
    }
  }
  rs.MoveNext();
  ASSERT_FALSE(rs.EOF_());
  EXPECT_EQ(vb::CLng(rs("OAID")), 2);
  for (long i = 1; i < rs.Fields().Count(); ++i) EXPECT_TRUE(vb::IsNull(rs(i).Value())) << i;
}

TEST_P(RecordsetTest, AddNewUpdateReadsTheNewKeyBack) {
  rs.Open("select * from OA_MSG where OAID=0", conn, 1, 3);
  EXPECT_EQ(rs.RecordCount(), 0);
  rs.AddNew();
  rs("userName") = "zhangsan";
  rs("shijian") = vb::Date{40788.5};  // 2011-09-02 12:00
  rs.Update();
  const long key = vb::CLng(rs("OAID"));
  EXPECT_GT(key, 0);
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(vb::CStr(rs("isView")), "0");  // the table's default, read back with the key
  rs.Close();
  rs.Open("select * from OA_MSG where OAID=" + std::to_string(key), conn);
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(vb::CStr(rs("shijian")), "2011-09-02 12:00:00");
  EXPECT_TRUE(vb::IsNull(rs("ID1")));
}

TEST_P(RecordsetTest, AssignedValuesAreStoredByTheirSubtype) {
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
      {vb::Variant("张三<&\"'</script\r\n<!--<script"), "text|张三<&\"'</script\r\n<!--<script"},
  };
  rs.Open("select * from Stored where OAID=0", conn);
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    rs.AddNew();
    rs("v") = c.value;
    rs.Update();
    expected.push_back(c.stored);
  }
  EXPECT_EQ(
      first_column(conn, "select typeof(v) || '|' || ifnull(v, '') from Stored order by OAID"),
      expected);
  rs.AddNew();
  EXPECT_EQ(raised_by([&] {
              rs("v") = vb::Variant(vb::Array{vb::Variant(1)});
              rs.Update();
            }).number(),
            vb::kTypeMismatch);
}

TEST_P(RecordsetTest, MovingOnWritesThePendingRow) {
  rs.Open("select * from OA_MSG where OAID=0", conn);
  rs.AddNew();
  rs("msg") = "first";
  rs.AddNew();  // writes "first"
  rs("msg") = "second";
  rs.MoveFirst();  // writes "second"
  rs.Close();
  EXPECT_EQ(first_column(conn, "select msg from OA_MSG order by OAID"),
            (std::vector<std::string>{"first", "second"}));
}

TEST_P(RecordsetTest, UpdateNeedsOneTableWithAnIntegerKey) {
  const char* const no_key = "Insufficient key column information for updating or refreshing.";
  for (const auto& [sql, message] :
       {std::pair{"select * from NoKey", no_key},
        std::pair{"select DepartName from KE_Department", no_key},
        std::pair{"select * from KE_Department a, NoKey b",
                  "Insufficient base table information for updating or refreshing."}}) {
    Recordset r;
    r.Open(sql, conn);
    r(0) = "x";
    EXPECT_VB_ERROR_TEXT(kProviderFailed, message, r.Update());
  }
}

TEST_P(RecordsetTest, RefusedRowRaisesTheDatabaseMessage) {
  rs.Open("select * from Strict where OAID=0", conn);
  rs.AddNew();
  const vb::VbError e = raised_by([&] { rs.Update(); });
  EXPECT_EQ(e.number(), kCommandFailed);
  EXPECT_EQ(e.description(), odbc() ? "[SQLite]NOT NULL constraint failed: Strict.Name (19) "
                                      "(SQLSTATE HY000, native error 19)"
                                    : "NOT NULL constraint failed: Strict.Name");
}

TEST_P(RecordsetTest, OpenStateErrors) {
  EXPECT_VB_ERROR(kObjectClosed, rs.RecordCount());
  EXPECT_VB_ERROR(kObjectClosed, rs.Close());
  EXPECT_EQ(rs.Fields().Count(), 0);
  rs.Open("select * from KE_Department", conn);
  EXPECT_VB_ERROR(kObjectOpen, rs.Open("select 1", conn));
  rs.Close();
  EXPECT_VB_ERROR(kObjectClosed, rs("DepartName"));

  EXPECT_VB_ERROR(vb::kObjectRequired, rs.Open("select 1", vb::Variant("conn")));
  Connection closed;
  EXPECT_VB_ERROR(kConnectionUnusable, rs.Open("select 1", closed));
  rs.Open("delete from NoKey", conn);  // a statement runs and leaves it closed
  EXPECT_EQ(rs.State(), 0);
  EXPECT_EQ(count_rows("NoKey"), 0);
}

TEST_P(RecordsetTest, RowsOutliveTheConnectionButUpdatesDoNot) {
  rs.Open("select * from KE_Department", conn);
  conn.Close();
  EXPECT_EQ(vb::CStr(rs("DepartName")), "总公司");
  rs("DepartName") = "x";
  EXPECT_VB_ERROR(kConnectionUnusable, rs.Update());
}

INSTANTIATE_TEST_SUITE_P(Drivers, RecordsetTest,
                         ::testing::Values(testing::Driver::kEmbedded, testing::Driver::kOdbc),
                         testing::driver_name);

}  // namespace
}  // namespace platform::ado
