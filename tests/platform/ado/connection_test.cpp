// Connection: opening, Execute, errors with the caller's line, pooling, transactions, threads.
#include "platform/ado/connection.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <regex>
#include <thread>

#include "platform/ado/ado_error.h"
#include "platform/ado/pool.h"
#include "platform/ado/recordset.h"
#include "platform/ado/scratch_database.h"
#include "vb/builtins.h"

namespace platform::ado {
namespace {

using testing::raised_by;
using testing::ScratchDatabase;

constexpr const char* kSchema =
    "CREATE TABLE OA_Log(OAID INTEGER PRIMARY KEY AUTOINCREMENT, LogType TEXT COLLATE NOCASE,"
    " Remark TEXT, LogTime TEXT);";

// The number of rows that `from_where` ("T where ...") selects.
long count_rows(Connection& conn, const std::string& from_where) {
  Recordset rs;
  rs.Open("select count(*) from " + from_where, conn);
  return vb::CLng(rs(0).Value());
}

TEST(ConnectionTest, OpenFailuresRaiseProviderErrorAtTheCallersLine) {
  struct Case {
    std::string connect_string;
    std::string message;
  };
  const std::string not_a_database = ::testing::TempDir() + "ado_not_a_database.db";
  std::ofstream(not_a_database) << "this is plain text, long enough to fill a header. 0123456789012345678901234567890123456789012345678901234567890123456789";
  const Case cases[] = {
      {"Provider=SQLite;Data Source=/nonexistent/dir/office.db", "unable to open database file"},
      {"Provider=SQLite;Data Source=" + not_a_database, "file is not a database"},
      {"Provider=SQLOLEDB;Data Source=server", "Provider cannot be found. It may not be properly installed."},
      {"Data Source=office.db", "The connection string names no Provider."},
      {"Provider=SQLite", "The connection string names no Data Source."},
      {"", "The connection string names no Provider."},
  };
  for (const Case& c : cases) {
    Connection conn;
    const long line = __LINE__; const vb::VbError e = raised_by([&] { conn.Open(c.connect_string); });
    EXPECT_EQ(e.number(), kProviderFailed) << c.connect_string;
    EXPECT_EQ(e.description(), c.message) << c.connect_string;
    EXPECT_EQ(e.line(), line);
    EXPECT_EQ(conn.State(), 0);
  }
}

TEST(ConnectionTest, StateErrors) {
  ScratchDatabase db(kSchema);
  Connection conn;
  EXPECT_EQ(raised_by([&] { conn.Execute("select 1"); }).number(), kConnectionUnusable);
  EXPECT_EQ(raised_by([&] { conn.Close(); }).number(), kObjectClosed);
  conn.Open(db.connect_string());
  EXPECT_EQ(conn.State(), 1);
  const vb::VbError e = raised_by([&] { conn.Open(db.connect_string()); });
  EXPECT_EQ(e.number(), kObjectOpen);
  EXPECT_EQ(e.description(), "Operation is not allowed when the object is open.");
  conn.Close();
  EXPECT_EQ(conn.State(), 0);
}

TEST(ConnectionTest, ExecuteReturnsEmptyForAStatementAndAForwardOnlyRecordsetForAQuery) {
  ScratchDatabase db(kSchema);
  Connection conn;
  conn.Open(db.connect_string());
  EXPECT_TRUE(conn.Execute("insert into [OA_Log](LogType,Remark) values('应用日志','a')").is_empty());
  EXPECT_TRUE(conn.Execute("Insert OA_Log(LogType,Remark) values('安全日志','b')").is_empty());

  vb::Variant rows = conn.Execute("select * from OA_Log order by OAID");
  Recordset& rs = rows.as<Recordset>();
  EXPECT_EQ(rs.RecordCount(), -1);
  std::vector<std::string> seen;
  while (!rs.EOF_()) {
    seen.push_back(vb::CStr(rs("Remark")));
    rs.MoveNext();
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(raised_by([&] { rs.AddNew(); }).number(), kNotUpdatable);
  rs.MoveFirst();
  EXPECT_EQ(raised_by([&] { rs("Remark") = "c"; }).number(), kNotUpdatable);
}

TEST(ConnectionTest, RejectedStatementRaisesTheDatabaseMessage) {
  ScratchDatabase db(kSchema);
  Connection conn;
  conn.Open(db.connect_string());
  struct Case {
    const char* sql;
    const char* message;
  };
  for (const Case& c : {Case{"select * from Nope", "no such table: Nope"},
                        Case{"selec * from OA_Log", "near \"selec\": syntax error"},
                        Case{"select NoSuchColumn from OA_Log", "no such column: NoSuchColumn"},
                        Case{"insert into OA_Log(OAID) values(1); insert into OA_Log(OAID) values(1)",
                             "UNIQUE constraint failed: OA_Log.OAID"}}) {
    const long line = __LINE__; const vb::VbError e = raised_by([&] { conn.Execute(c.sql); });
    EXPECT_EQ(e.number(), kCommandFailed) << c.sql;
    EXPECT_EQ(e.description(), c.message);
    EXPECT_EQ(e.line(), line);
  }
}

TEST(ConnectionTest, GetdateStoresLocalTimeAsText) {
  ScratchDatabase db(kSchema);
  Connection conn;
  conn.Open(db.connect_string());
  conn.Execute("insert into OA_Log(Remark,LogTime) values('x',getdate())");
  vb::Variant rows = conn.Execute("select top 1 LogTime from OA_Log");
  const vb::Variant stamp = rows.as<Recordset>()("LogTime").Value();
  ASSERT_TRUE(stamp.is_string());
  EXPECT_TRUE(std::regex_match(stamp.str(), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
      << stamp.str();
}

TEST(ConnectionTest, ClosedConnectionIsReusedFromThePool) {
  ScratchDatabase db(kSchema);
  ConnectionPool& pool = ConnectionPool::instance();
  {
    Connection first;
    first.Open(db.connect_string());
    first.Close();
  }
  EXPECT_EQ(pool.idle(db.connect_string()), 1u);
  const std::size_t opened = pool.opened();
  {
    Connection again;
    again.Open(db.connect_string());
    EXPECT_EQ(pool.idle(db.connect_string()), 0u);
    EXPECT_EQ(pool.opened(), opened);
  }  // the destructor gives it back as Close does
  EXPECT_EQ(pool.idle(db.connect_string()), 1u);

  Connection one, two;  // two at once: the second is a new session
  one.Open(db.connect_string());
  two.Open(db.connect_string());
  EXPECT_EQ(pool.opened(), opened + 1);
}

TEST(ConnectionTest, PooledSessionOfAReplacedFileIsNotReused) {
  ScratchDatabase db(kSchema);
  {
    Connection conn;
    conn.Open(db.connect_string());
    conn.Execute("insert into OA_Log(Remark) values('old file')");
  }
  db.replace_with(kSchema);
  Connection conn;
  conn.Open(db.connect_string());
  EXPECT_EQ(count_rows(conn, "OA_Log"), 0);
}

TEST(ConnectionTest, RolledBackTransactionLeavesNoRows) {
  ScratchDatabase db(kSchema);
  Connection conn;
  conn.Open(db.connect_string());
  conn.BeginTrans();
  conn.Execute("insert into OA_Log(Remark) values('gone')");
  Recordset rs;
  rs.Open("select * from OA_Log where OAID=0", conn);
  rs.AddNew();
  rs("Remark") = "gone too";
  rs.Update();
  rs.Close();
  EXPECT_EQ(count_rows(conn, "OA_Log"), 2);
  conn.RollbackTrans();
  EXPECT_EQ(count_rows(conn, "OA_Log"), 0);

  conn.BeginTrans();
  conn.Execute("insert into OA_Log(Remark) values('kept')");
  conn.CommitTrans();
  EXPECT_EQ(count_rows(conn, "OA_Log"), 1);

  const vb::VbError e = raised_by([&] { conn.CommitTrans(); });
  EXPECT_EQ(e.number(), kProviderFailed);
  EXPECT_EQ(e.description(), "cannot commit - no transaction is active");
}

TEST(ConnectionTest, ClosingWithAPendingTransactionRollsItBack) {
  ScratchDatabase db(kSchema);
  {
    Connection conn;
    conn.Open(db.connect_string());
    conn.BeginTrans();
    conn.Execute("insert into OA_Log(Remark) values('pending')");
    conn.Close();
  }
  Connection conn;
  conn.Open(db.connect_string());  // the same pooled session
  EXPECT_EQ(count_rows(conn, "OA_Log"), 0);
  conn.BeginTrans();  // and it is not left inside a transaction
  conn.RollbackTrans();
}

TEST(ConnectionTest, TwoThreadsWritingAtOnceBothSucceed) {
  ScratchDatabase db(kSchema);
  constexpr int kRows = 40;
  auto writer = [&](const char* who, bool in_transaction) {
    Connection conn;
    conn.Open(db.connect_string());
    Recordset rs;
    for (int i = 0; i < kRows; ++i) {
      if (in_transaction) conn.BeginTrans();
      rs.Open("select * from OA_Log where OAID=0", conn, 1, 3);
      rs.AddNew();
      rs("Remark") = who;
      rs.Update();
      rs.Close();
      conn.Execute(std::string("update OA_Log set LogType='done' where Remark='") + who + "'");
      if (in_transaction) conn.CommitTrans();
    }
  };
  std::vector<std::string> failures;
  std::mutex failures_lock;
  auto guarded = [&](const char* who, bool in_transaction) {
    try {
      writer(who, in_transaction);
    } catch (const vb::VbError& e) {
      std::lock_guard lock(failures_lock);
      failures.push_back(std::string(who) + ": " + e.description() + " @" + std::to_string(e.line()));
    }
  };
  std::thread a(guarded, "a", true), b(guarded, "b", false);
  a.join();
  b.join();
  EXPECT_EQ(failures, std::vector<std::string>{});
  Connection conn;
  conn.Open(db.connect_string());
  EXPECT_EQ(count_rows(conn, "OA_Log where LogType='done'"), 2 * kRows);
}

TEST(ConnectionTest, CommandTimeoutStopsALongStatement) {
  ScratchDatabase db(kSchema);
  Connection conn;
  conn.Open(db.connect_string());
  conn.CommandTimeout = 1;
  const vb::VbError e = raised_by([&] {
    conn.Execute(
        "with recursive n(i) as (select 1 union all select i+1 from n) select count(*) from n");
  });
  EXPECT_EQ(e.number(), kCommandTimeout);
  EXPECT_EQ(e.description(), "Query timeout expired");

  conn.CommandTimeout = 30;
  EXPECT_EQ(count_rows(conn, "OA_Log"), 0);  // the session is still usable
}

}  // namespace
}  // namespace platform::ado
