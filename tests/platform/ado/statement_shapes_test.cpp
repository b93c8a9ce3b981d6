// Statements that share a prepared statement by their shape give the rows of their own
// literals, and a request's repeated reads see every write the request makes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/request_scope.h"
#include "platform/ado/sqlite_driver.h"

namespace platform::ado {
namespace {

using testing::rows_in;
using testing::rows_of;
using StatementShapesTest = testing::DriverTest;
using ReadMemoTest = testing::AdoTest;

void add_log_rows(Connection& conn) {
  conn.Execute(
      "insert into OA_Log(LogType, Remark, LogTime) values ('a', 'it''s', '2011-09-02 14:07:05'), "
      "('b', N'张三', '2012-01-01 00:00:00'), (NULL, '<&\"</script\r\n<!--<script', '2011-09-02')");
}

// Statements of one shape in turn, then again in the opposite order: each gives the rows of
// its own literals.
TEST_P(StatementShapesTest, EachStatementGetsTheRowsOfItsOwnLiterals) {
  add_log_rows(conn);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"select Remark from OA_Log where Remark='it''s'", "it's"},
      {"select Remark from OA_Log where Remark=N'张三'", "张三"},
      {"select Remark from OA_Log where Remark='<&\"</script\r\n<!--<script'",
       "<&\"</script\r\n<!--<script"},
      {"select Remark from OA_Log where Remark=''", ""},
      {"select OAID from OA_Log where LogTime='2011-09-02 14:07:05'", "1"},
      {"select OAID from OA_Log where LogTime='2012-01-01 00:00:00'", "2"},
      {"select OAID from OA_Log where LogTime>='2011-09-02' and LogTime<'2011-09-03' order by 1",
       "1;3"},
      {"select OAID from OA_Log where LogType is NULL", "3"},
      {"select OAID from OA_Log where LogType=NULL", ""},
      {"select OAID from OA_Log where isnull(LogType, 'z')='z'", "3"},
      {"select Small from Mapping where Small=-7", "-7"},
      {"select Small from Mapping where Small=-8", ""},
      {"select Small from Mapping where Small=- 7", "-7"},
      {"select Big from Mapping where Big=3000000000", "3000000000"},
      {"select Real from Mapping where Real=2.5", "2.5"},
      {"select Remark, OAID from OA_Log where OAID in (1,3) order by 2 desc", "<&\"</script\r\n<!--<script|3;it's|1"},
      {"select Remark, OAID from OA_Log where OAID in (1,2) order by 1 desc", "张三|2;it's|1"},
      {"select top 1 OAID from OA_Log where OAID>0 order by OAID", "1"},
      {"select top 2 OAID from OA_Log where OAID>0 order by OAID", "1;2"},
      {"select 'x' as k, OAID+1 from OA_Log where OAID=1", "x|2"},
      {"select 'y' as k, OAID+1 from OA_Log where OAID=2", "y|3"},
      {"select OAID from OA_Log where Remark like 'it''%'", "1"},
      {"select OAID from OA_Log where cast(OAID as varchar(1))='2'", "2"},
      {"select count(*) from OA_Log where len(LogType)=1 and LogType<>'b'", "1"},
      {"select OAID from Mapping where Bytes=x'00ff41'", "1"},
      {"select OAID from Mapping where Bytes=x'00ff42'", ""},
  };
  for (int round = 0; round < 2; ++round) {
    for (std::size_t k = 0; k < cases.size(); ++k) {
      const auto& [sql, rows] = cases[round == 0 ? k : cases.size() - 1 - k];
      EXPECT_EQ(rows_of(conn, sql), rows) << sql;
    }
  }
  // A select list's texts name its columns, whatever literal they hold.
  rs.Open("select OAID+1, 'a' from OA_Log where OAID=1", conn);
  EXPECT_EQ(rs(0).Name(), "OAID+1");
  EXPECT_EQ(rs(1).Name(), "'a'");
}

TEST_P(StatementShapesTest, ARejectedStatementNamesTheTextThePageWrote) {
  const vb::VbError e = testing::raised_by([&] { conn.Execute("select * from OA_Log where OAID=17 18"); });
  EXPECT_EQ(e.number(), kCommandFailed);
  EXPECT_NE(e.description().find("\"18\""), std::string::npos) << e.description();
}

TEST_P(StatementShapesTest, InsertsAndUpdatesBindTheirLiteralsAsTyped) {
  conn.Execute("insert into Stored(v) values (N'it''s')");
  conn.Execute("insert into Stored(v) values (-12)");
  conn.Execute("update Stored set v='2011-09-02' where v=-12");
  EXPECT_EQ(rows_of(conn, "select typeof(v), v from Stored order by OAID"),
            "text|it's;text|2011-09-02");
  conn.Execute("update Stored set v=5 where OAID=1");
  EXPECT_EQ(rows_of(conn, "select typeof(v), v from Stored where OAID=1"), "integer|5");
}

INSTANTIATE_TEST_SUITE_P(Drivers, StatementShapesTest,
                         ::testing::Values(testing::Driver::kEmbedded, testing::Driver::kOdbc),
                         testing::driver_name);

TEST_F(ReadMemoTest, StatementsOfOneShapeArePreparedOnce) {
  add_log_rows(conn);
  conn.Execute("create index LogRemark on OA_Log(Remark collate nocase)");
  rows_of(conn, "select OAID from OA_Log where OAID=2 and LogType<>'x' and Remark like '%x%'");
  rows_of(conn, "select OAID from OA_Log where OAID>=2 and LogType<>'y' and Remark like 'x%'");
  const long before = sqlite_prepares();
  for (int i = 2; i < 60; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(rows_of(conn, "select OAID from OA_Log where OAID=" + n + " and LogType<>'" + n +
                                "' and Remark like '%" + n + "%'"), "");
  }
  EXPECT_EQ(rows_of(conn, "select OAID from OA_Log where OAID>=3 and LogType<>'b' and Remark like 'x%'"), "");
  EXPECT_EQ(sqlite_prepares() - before, 0) << "not even by SQLite for another like pattern";
  // A pattern with a fixed prefix stays in the text, where SQLite's plan reads it: another such
  // pattern is another statement, prepared once.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(rows_of(conn, "select OAID from OA_Log where OAID=2 and LogType<>'x' and Remark like '张%'"), "2");
  }
  EXPECT_EQ(sqlite_prepares() - before, 1);
}

// Literals no index reads as written share one prepared statement: a like pattern opening with
// a wildcard, and keys beside an index on an expression and a partial index, whose own
// literals ('2000') stay in the text.
TEST_F(ReadMemoTest, LiteralsNoIndexReadsShareOnePreparedStatement) {
  add_log_rows(conn);
  conn.Execute("create index LogRemark on OA_Log(Remark collate nocase)");
  conn.Execute("create index LogLower on OA_Log(lower(Remark), substr(LogTime, 1, 4))");
  conn.Execute("create index LogLater on OA_Log(LogType) where LogTime > '2000'");
  const std::vector<std::function<std::string(const std::string&)>> families = {
      [](const std::string& n) {
        return "select OAID from OA_Log where Remark like '_" + n + "%'";
      },
      [](const std::string& n) {
        return "select OAID from OA_Log where lower(Remark) = '" + n +
               "' and substr(LogTime, 1, 4) > '2000' and OAID > " + n;
      },
      [](const std::string& n) {
        return "select OAID from OA_Log where LogType = N'" + n + "' and LogTime > '2000'";
      },
  };
  for (const auto& statement : families) {
    EXPECT_EQ(rows_of(conn, statement("9")), "");
    const long before = sqlite_prepares();
    for (int i = 10; i < 40; ++i) EXPECT_EQ(rows_of(conn, statement(std::to_string(i))), "");
    EXPECT_EQ(sqlite_prepares() - before, 0) << statement("n");
  }
  const long before = sqlite_prepares();
  EXPECT_EQ(rows_of(conn,
                    "select OAID from OA_Log where lower(Remark) = '<&\"</script\r\n<!--<script' "
                    "and substr(LogTime, 1, 4) > '2000' and OAID > 2"),
            "3");
  EXPECT_EQ(rows_of(conn, "select OAID from OA_Log where LogType = N'b' and LogTime > '2000'"),
            "2");
  EXPECT_EQ(sqlite_prepares() - before, 0);
}

// A read whose shape SQLite rejects (a literal where the grammar wants one as written) runs by
// the page's own text as a read: in the request's snapshot, beside another session's open
// transaction. The shape is not tried again.
TEST_F(ReadMemoTest, AReadWhoseShapeDoesNotPrepareRunsAsARead) {
  add_log_rows(conn);
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  EXPECT_EQ(rows_of(page, "select count(*) from OA_Log where Remark<>'none'"), "3");
  conn.Execute("insert into OA_Log(Remark) values ('after the snapshot')");
  conn.BeginTrans();
  conn.Execute("insert into OA_Log(Remark) values ('uncommitted')");
  const std::string quoted_alias = "select count(*) from OA_Log 'x' where Remark<>'none'";
  EXPECT_EQ(rows_of(page, quoted_alias), "3");
  const long before = sqlite_prepares();
  EXPECT_EQ(rows_of(page, "select count(*) from OA_Log 'x' where Remark<>'it''s'"), "2");
  EXPECT_EQ(sqlite_prepares() - before, 1) << "the page's text alone";
  conn.RollbackTrans();
}

// Inside a request the same read twice gives the rows it gave, unless the request wrote in
// between: every kind of write shows in the next identical read.
TEST_F(ReadMemoTest, EveryKindOfWriteShowsInTheNextIdenticalRead) {
  const std::string read = "select count(*), max(Remark) from OA_Log where Remark<>'none'";
  const std::vector<std::pair<std::string, std::function<void(Connection&)>>> writes = {
      {"insert", [](Connection& c) { c.Execute("insert into OA_Log(Remark) values ('<a&b>')"); }},
      {"update", [](Connection& c) { c.Execute("update OA_Log set Remark='\"q\"' where OAID=1"); }},
      {"delete", [](Connection& c) { c.Execute("delete OA_Log where OAID=1"); }},
      {"script",
       [](Connection& c) {
         c.Execute("insert into OA_Log(Remark) values ('s1'); insert into OA_Log(Remark) values ('</script')");
       }},
      {"AddNew",
       [](Connection& c) {
         Recordset rs;
         rs.Open("select * from OA_Log where OAID=0", c, 1, 3);
         rs.AddNew();
         rs("Remark") = "x\r\ny";
         rs.Update();
       }},
      {"Update",
       [](Connection& c) {
         Recordset rs;
         rs.Open("select * from OA_Log where OAID=2", c, 1, 3);
         rs("Remark") = "zz<!--";
         rs.Update();
       }},
      {"committed transaction",
       [](Connection& c) {
         c.BeginTrans();
         c.Execute("insert into OA_Log(Remark) values ('t')");
         c.CommitTrans();
       }},
      {"rolled back transaction",
       [](Connection& c) {
         c.Execute("insert into OA_Log(Remark) values ('u')");
         c.BeginTrans();
         c.Execute("delete from OA_Log where Remark='u'");
         c.RollbackTrans();
       }},
  };
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  for (const auto& [kind, write] : writes) {
    const std::string first = rows_of(page, read);
    EXPECT_EQ(rows_of(page, read), first) << kind;
    write(page);
    EXPECT_EQ(rows_of(page, read), rows_of(conn, read)) << "after " << kind;
  }
  EXPECT_EQ(rows_of(page, read), "5|zz<!--");
}

TEST_F(ReadMemoTest, ReadsOfTheClockOrOfRandomNumbersRunEveryTime) {
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  const std::string sql = "select random() from KE_Department where DepartMentID=1";
  EXPECT_NE(rows_of(page, sql), rows_of(page, sql));
}

}  // namespace
}  // namespace platform::ado
