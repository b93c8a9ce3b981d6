// A session's cached statements follow the schema changes another session makes between two
// of their runs: columns added and dropped, a table made after a statement named it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/sqlite_driver.h"

namespace platform::ado {
namespace {

using testing::raised_by;
using testing::rows_of;

constexpr char kHostile[] = "<&\"'</script\r\n<!--<script";

class StatementCacheTest : public ::testing::Test {
 protected:
  StatementCacheTest() {
    conn.Open(db.connect_string());
    EXPECT_EQ(sqlite3_open(db.path().c_str(), &other), SQLITE_OK);
  }
  ~StatementCacheTest() override { sqlite3_close(other); }

  // Runs DDL and writes through another session, as the form designer does.
  void alter(const std::string& sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(other, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
  }

  // The first row of `sql` as name=value pairs, each value read by its column's name.
  std::string named_row(const std::string& sql) {
    Recordset rs;
    rs.Open(sql, conn);
    std::string out;
    for (long i = 0; i < rs.Fields().Count(); ++i) {
      const std::string name = rs(i).Name();
      out += (i > 0 ? "|" : "") + name + "=" + vb::CStr(rs(name).Value());
    }
    return out;
  }

  testing::ScratchDatabase db{
      "CREATE TABLE OA_FLOW_7_Main(OAID INTEGER PRIMARY KEY, A TEXT, B TEXT);"
      "INSERT INTO OA_FLOW_7_Main VALUES (3, 'a&1', 'b<2');"};
  Connection conn;
  sqlite3* other = nullptr;
};

TEST_F(StatementCacheTest, ASelectOfEveryColumnReadsEachValueUnderItsNameAfterColumnsChange) {
  const std::string sql = "select * from OA_FLOW_7_Main where OAID=3";
  EXPECT_EQ(named_row(sql), "OAID=3|A=a&1|B=b<2");
  alter(
      "ALTER TABLE OA_FLOW_7_Main ADD COLUMN C TEXT;"
      "UPDATE OA_FLOW_7_Main SET C = '<&\"''</script' || char(13, 10) || '<!--<script'");
  EXPECT_EQ(named_row(sql), std::string("OAID=3|A=a&1|B=b<2|C=") + kHostile);
  alter("ALTER TABLE OA_FLOW_7_Main DROP COLUMN A");
  EXPECT_EQ(named_row(sql), std::string("OAID=3|B=b<2|C=") + kHostile);
  alter("ALTER TABLE OA_FLOW_7_Main RENAME COLUMN B TO D");
  EXPECT_EQ(named_row(sql), std::string("OAID=3|D=b<2|C=") + kHostile);
}

TEST_F(StatementCacheTest, AStatementNamingATableNotYetMadeSharesItsShapeOnceTheTableExists) {
  const vb::VbError e =
      raised_by([&] { conn.Execute("select v from OA_FLOW_8_Main where k='a'"); });
  EXPECT_EQ(e.number(), kCommandFailed);
  EXPECT_EQ(e.description(), "no such table: OA_FLOW_8_Main");
  alter(
      "CREATE TABLE OA_FLOW_8_Main(k TEXT, v TEXT);"
      "INSERT INTO OA_FLOW_8_Main VALUES ('a', 'x&y'), ('b', '</script>'), ('<&\"', '<!--');");
  const long before = sqlite_prepares();
  EXPECT_EQ(rows_of(conn, "select v from OA_FLOW_8_Main where k='a'"), "x&y");
  EXPECT_EQ(rows_of(conn, "select v from OA_FLOW_8_Main where k='b'"), "</script>");
  EXPECT_EQ(rows_of(conn, "select v from OA_FLOW_8_Main where k='<&\"'"), "<!--");
  EXPECT_EQ(sqlite_prepares() - before, 1) << "the shape alone";
}

}  // namespace
}  // namespace platform::ado
