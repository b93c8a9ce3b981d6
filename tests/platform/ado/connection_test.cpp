// Connection: opening, Execute, errors with the caller's line, pooling, transactions, threads.
#include "platform/ado/connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/pool.h"
#include "support/vb_matchers.h"

namespace platform::ado {
namespace {

using ConnectionTest = testing::DriverTest;

TEST(ConnectionOpen, FailuresRaiseProviderErrorAtTheCallersLine) {
  struct Case {
    std::string connect_string;
    std::string message;
  };
  const std::string not_a_database = ::testing::TempDir() + "ado_not_a_database.db";
  std::ofstream(not_a_database) << "plain text, long enough to fill a database header. "
                                << std::string(80, 'x');
  const Case cases[] = {
      {"Provider=SQLite;Data Source=" + not_a_database, "file is not a database"},
      {"Provider=Jet.OLEDB;Data Source=server",
       "Provider cannot be found. It may not be properly installed."},
      {"Data Source=office.db", "The connection string names no Provider."},
      {"Provider=SQLite", "The connection string names no Data Source."},
      {"", "The connection string names no Provider."},
  };
  for (const Case& c : cases) {
    Connection conn;
    EXPECT_ADO_ERROR_HERE(kProviderFailed, c.message, conn.Open(c.connect_string));
    EXPECT_EQ(conn.State(), 0);
  }
}

// Switching a new file to WAL needs it to itself: sessions opened at the same moment wait
// their turn instead of failing.
TEST(ConnectionOpen, FirstOpensOfOneFileAtTheSameMomentAllSucceed) {
  constexpr int kThreads = 8;
  for (int round = 0; round < 5; ++round) {
    testing::ScratchDatabase db(testing::kSchema);
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&] {
        for (++ready; ready < kThreads;) std::this_thread::yield();
        try {
          Connection conn;
          conn.Open(db.connect_string());
        } catch (const vb::VbError& e) {
          ADD_FAILURE() << e.description();
        }
      });
    }
    for (std::thread& t : threads) t.join();
  }
}

TEST_P(ConnectionTest, StateErrors) {
  Connection closed;
  EXPECT_VB_ERROR(kConnectionUnusable, closed.Execute("select 1"));
  EXPECT_VB_ERROR(kObjectClosed, closed.Close());
  EXPECT_EQ(conn.State(), 1);
  EXPECT_VB_ERROR_TEXT(kObjectOpen, "Operation is not allowed when the object is open.",
                       conn.Open(connect_string()));
  conn.Close();
  EXPECT_EQ(conn.State(), 0);
}

TEST_P(ConnectionTest, ExecuteReturnsEmptyForAStatementAndAForwardOnlyRecordsetForAQuery) {
  EXPECT_TRUE(conn.Execute("insert into OA_Log(Remark) values('a')").is_empty());
  vb::Variant rows = conn.Execute("select Remark from OA_Log");
  Recordset& read = rows.as<Recordset>();
  EXPECT_EQ(read.RecordCount(), -1);
  EXPECT_EQ(vb::CStr(read("Remark")), "a");
  EXPECT_VB_ERROR(kNotUpdatable, read.AddNew());
  EXPECT_VB_ERROR(kNotUpdatable, read("Remark") = "c");
}

TEST_P(ConnectionTest, RejectedStatementRaisesTheDatabaseMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"select * from Nope", "no such table: Nope"},
      {"selec * from OA_Log", "near \"selec\": syntax error"},
      {"select NoSuchColumn from OA_Log", "no such column: NoSuchColumn"},
      {"insert into OA_Log(OAID) values(1); insert into OA_Log(OAID) values(1)",
       "UNIQUE constraint failed: OA_Log.OAID"},
  };
  for (const auto& [sql, message] : cases) {
    if (!odbc()) {
      EXPECT_ADO_ERROR_HERE(kCommandFailed, message, conn.Execute(sql));
      continue;
    }
    // Through ODBC the database's text comes with the driver's prefix and native number; the
    // SQLite ODBC driver takes one statement a call.
    if (std::string_view(sql).find(';') != std::string_view::npos) continue;
    const vb::VbError e = testing::raised_by([&, sql = sql] { conn.Execute(sql); });
    EXPECT_EQ(e.number(), kCommandFailed);
    EXPECT_THAT(e.description(), ::testing::HasSubstr(message));
    EXPECT_THAT(e.description(), ::testing::HasSubstr("native error 1)"));
  }
}

TEST_P(ConnectionTest, ClosedConnectionIsReusedFromThePool) {
  ConnectionPool& pool = ConnectionPool::instance();
  conn.Close();
  EXPECT_EQ(pool.idle(connect_string()), 1u);
  const std::size_t opened = pool.opened();
  {
    Connection again;
    again.Open(connect_string());
    EXPECT_EQ(pool.idle(connect_string()), 0u);
    EXPECT_EQ(pool.opened(), opened);
  }  // the destructor gives it back as Close does
  EXPECT_EQ(pool.idle(connect_string()), 1u);

  Connection one, two;  // two at once: the second is a new session
  one.Open(connect_string());
  two.Open(connect_string());
  EXPECT_EQ(pool.opened(), opened + 1);
}

TEST_P(ConnectionTest, OnlyCommittedTransactionsLeaveRows) {
  conn.BeginTrans();
  conn.Execute("insert into OA_Log(Remark) values('gone')");
  rs.Open("select * from OA_Log where OAID=0", conn);
  rs.AddNew();
  rs("Remark") = "gone too";
  rs.Update();
  EXPECT_EQ(count_rows("OA_Log"), 2);
  conn.RollbackTrans();
  EXPECT_EQ(count_rows("OA_Log"), 0);

  conn.BeginTrans();
  conn.Execute("insert into OA_Log(Remark) values('kept')");
  conn.CommitTrans();
  EXPECT_EQ(count_rows("OA_Log"), 1);
  EXPECT_VB_ERROR_TEXT(
      kProviderFailed,
      odbc() ? "No transaction is pending." : "cannot commit - no transaction is active",
      conn.CommitTrans());

  conn.BeginTrans();  // closing with a transaction pending rolls it back
  conn.Execute("insert into OA_Log(Remark) values('pending')");
  conn.Close();
  conn.Open(connect_string());  // the same pooled session
  EXPECT_EQ(count_rows("OA_Log"), 1);
  conn.BeginTrans();  // and it is not left inside a transaction
  conn.RollbackTrans();
}

// A session whose rollback fails may still be inside its transaction: it is closed, not
// given back to the pool.
TEST_P(ConnectionTest, ASessionThatCannotBeRolledBackIsNotPooled) {
  if (!odbc()) GTEST_SKIP() << "the embedded driver asks SQLite itself whether one is open";
  conn.BeginTrans();
  conn.Execute("rollback transaction");  // ended behind the driver's back: its ROLLBACK fails
  conn.Close();
  EXPECT_EQ(ConnectionPool::instance().idle(connect_string()), 0u);
}

TEST_P(ConnectionTest, ASavepointRollsBackAPartOfATransaction) {
  EXPECT_FALSE(conn.in_transaction());
  conn.BeginTrans();
  EXPECT_TRUE(conn.in_transaction());
  conn.Execute("insert into OA_Log(Remark) values('kept')");
  conn.Execute("SAVE TRANSACTION part");
  conn.Execute("insert into OA_Log(Remark) values('undone')");
  conn.Execute("ROLLBACK TRANSACTION part");
  EXPECT_TRUE(conn.in_transaction());
  conn.CommitTrans();
  EXPECT_FALSE(conn.in_transaction());
  EXPECT_EQ(count_rows("OA_Log"), 1);
  conn.BeginTrans();
  conn.Close();
  EXPECT_FALSE(conn.in_transaction());
}

TEST_P(ConnectionTest, CommandTimeoutStopsALongStatement) {
  if (odbc()) GTEST_SKIP() << "the SQLite ODBC driver ignores the query timeout";
  conn.CommandTimeout = 1;
  EXPECT_VB_ERROR_TEXT(kCommandTimeout, "Query timeout expired",
                       conn.Execute("with recursive n(i) as (select 1 union all select i+1 from n) "
                                    "select count(*) from n"));
  conn.CommandTimeout = 30;
  EXPECT_EQ(count_rows("OA_Log"), 0);  // the session is still usable
}

INSTANTIATE_TEST_SUITE_P(Drivers, ConnectionTest,
                         ::testing::Values(testing::Driver::kEmbedded, testing::Driver::kOdbc),
                         testing::driver_name);

}  // namespace
}  // namespace platform::ado
