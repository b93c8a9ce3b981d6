// One read transaction per request, deletes that find nothing without the write lock, writers
// queued in order, and a replaced database file noticed within a second.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/request_scope.h"
#include "platform/ado/writer_queue.h"

namespace platform::ado {
namespace {

using Clock = std::chrono::steady_clock;
using RequestReadsTest = testing::AdoTest;
using testing::rows_in;

// A plain SQLite handle on the test database, outside the pool.
class RawHandle {
 public:
  explicit RawHandle(const std::string& connect_string) {
    const std::string path = connect_string.substr(connect_string.find('=', 16) + 1);
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~RawHandle() { sqlite3_close(db_); }
  int exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

 private:
  sqlite3* db_ = nullptr;
};

TEST_F(RequestReadsTest, ReadsOfARequestShareOneTransactionThatEndsWithTheScope) {
  Connection page;  // conn, the writer, is opened outside the request
  {
    RequestScope request;
    page.Open(db.connect_string());
    EXPECT_EQ(count_rows("OA_Log"), 0);  // conn was opened outside: autocommit
    EXPECT_EQ(rows_in(page, "OA_Log"), 0);
    conn.Execute("insert into OA_Log(Remark) values('meanwhile')");
    EXPECT_EQ(rows_in(page, "OA_Log"), 0) << "a request reads one snapshot";
  }
  EXPECT_EQ(rows_in(page, "OA_Log"), 1) << "the scope's end ended the read";
}

TEST_F(RequestReadsTest, NoReadStaysOpenHoweverTheRequestEnds) {
  Connection page;
  try {
    RequestScope request;
    page.Open(db.connect_string());
    EXPECT_EQ(rows_in(page, "OA_Log"), 0);
    conn.Execute("insert into OA_Log(Remark) values('meanwhile')");
    throw std::runtime_error("the page failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(rows_in(page, "OA_Log"), 1);
  page.Close();
  {
    RequestScope request;
    page.Open(db.connect_string());
    EXPECT_EQ(rows_in(page, "OA_Log"), 1);
    page.Close();  // back to the pool with its read ended
    conn.Execute("insert into OA_Log(Remark) values('after the close')");
  }
  page.Open(db.connect_string());  // the same pooled session
  EXPECT_EQ(rows_in(page, "OA_Log"), 2);
}

TEST_F(RequestReadsTest, ADeleteThatFindsNothingTakesNoWriteLock) {
  conn.Execute(
      "insert into OA_MSG(userName, ID1, ID2) values('zhang','7','3'), ('zhang','7',''), "
      "('li','7','3'), ('zhang','8','3')");
  RawHandle other(db.connect_string());
  ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);  // another process holds the write lock
  const auto started = Clock::now();
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  EXPECT_TRUE(
      page.Execute("Delete OA_MSG where ID1='9' and ID2='3'   and username='zhang'").is_empty());
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(1)) << "it waited for the lock";
  ASSERT_EQ(other.exec("COMMIT"), SQLITE_OK);

  page.Execute("Delete OA_MSG where ID1='7' and ID2='3'   and username='zhang'");
  EXPECT_EQ(count_rows("OA_MSG"), 3);
  EXPECT_EQ(count_rows("OA_MSG where userName='zhang' and ID1='7' and ID2='3'"), 0);
  page.Execute("Delete from OA_MSG");  // no condition: every row
  EXPECT_EQ(count_rows("OA_MSG"), 0);
}

// SQLite reads a text only up to a NUL; a stored query holding one (a drop-down query that
// ends in Chr(0)) is refused as a whole, with SQLite's own error where the NUL stands inside a
// literal, and leaves the file to its other writers.
TEST_F(RequestReadsTest, ATextHoldingANulIsRefusedAndLeavesTheWriterTurnFree) {
  using namespace std::string_literals;
  const struct {
    std::string sql, error;
  } cases[] = {
      {"select DepartName from KE_Department where DepartMentID=2\0"s, "NUL character"},
      {"\0select 1"s, "NUL character"},
      {"delete from OA_Log; \0 insert into OA_Log(Remark) values('<&\"''</script')"s,
       "NUL character"},
      {"select 1 -- <!--<script\0\r\n"s, "NUL character"},
      {"update OA_Log set Remark='a\0' where OAID=1; select 1"s, "\"'a\""},
  };
  conn.Execute("insert into OA_Log(Remark) values('kept')");
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  EXPECT_EQ(rows_in(page, "OA_Log"), 1);
  for (const auto& c : cases) {
    EXPECT_ADO_ERROR_HERE(kCommandFailed, "unrecognized token: " + c.error, page.Execute(c.sql));
  }
  conn.Execute("insert into OA_Log(Remark) values('<&\"''\r\n')");  // another writer's turn
  page.Execute("insert into OA_Log(Remark) values('page')");
  EXPECT_EQ(count_rows("OA_Log where Remark in ('kept', '<&\"''\r\n', 'page')"), 3);
}

// A notice written by another session while the page ran is removed by the page's delete,
// though the request's first read came before it.
TEST_F(RequestReadsTest, ADeleteRemovesARowCommittedAfterTheRequestsFirstRead) {
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  for (const char* id : {"1", "2"}) {  // the delete's first run, then its prepared shape
    EXPECT_EQ(rows_in(page, "OA_MSG"), 0);
    conn.Execute(std::string("insert into OA_MSG(userName, msg, ID1, ID2) values('zhang', ") +
                 "'<&\"''</script\r\n<!--<script', '" + id + "', '1')");
    page.Execute("Delete OA_MSG where ID1='" + std::string(id) +
                 "' and ID2='1'   and username='zhang'");
    EXPECT_EQ(count_rows("OA_MSG"), 0) << id;
  }
}

TEST_F(RequestReadsTest, ConcurrentCopiesInTransactionsAllComplete) {
  constexpr int kThreads = 16, kCopies = 15, kNodes = 3;
  std::atomic<int> failures{0};
  auto copier = [&] {
    for (int i = 0; i < kCopies; ++i) {
      try {
        RequestScope request;
        Connection own;
        own.Open(db.connect_string());
        Recordset source, added;
        source.Open("select * from KE_Department where DepartMentID=1", own);
        own.BeginTrans();
        vb::Variant parent = 0;
        for (int n = 0; n < kNodes; ++n) {
          added.Open("select * from KE_Department where DepartMentID=0", own);
          added.AddNew();
          added("ParentID") = parent;
          added("DepartName") = source("DepartName");
          added.Update();
          parent = added("DepartMentID").Value();
          added.Close();
        }
        own.CommitTrans();
      } catch (const vb::VbError& e) {
        ++failures;
        ADD_FAILURE() << e.description();
      }
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(copier);
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(count_rows("KE_Department where DepartName='总公司'"), 1 + kThreads * kCopies * kNodes);
  EXPECT_EQ(count_rows("KE_Department a where ParentID > 0 and not exists (select 1 from "
                       "KE_Department b where b.DepartMentID = a.ParentID)"),
            0);
}

TEST(WriterQueue, LetsWritersInOneAtATimeInOrderOfArrival) {
  WriterQueue queue;
  const auto soon = [] { return Clock::now() + std::chrono::milliseconds(50); };
  ASSERT_TRUE(queue.enter(soon()));
  EXPECT_FALSE(queue.enter(soon())) << "a second writer waits, and gives up at its deadline";

  std::vector<int> order;
  const auto writer = [&](int n) {
    return std::thread([&, n] {
      if (queue.enter(Clock::now() + std::chrono::seconds(5))) {
        order.push_back(n);
        queue.leave();
      }
    });
  };
  std::thread second = writer(2);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::thread third = writer(3);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  order.push_back(1);
  queue.leave();
  second.join();
  third.join();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(RequestReadsTest, APooledSessionNoticesAReplacedFileWithinASecond) {
  conn.Execute("insert into OA_Log(Remark) values('old file')");
  conn.Close();
  db.replace_with(testing::kSchema);
  const auto replaced = Clock::now();
  long rows = 1;
  // The pool looks at the file again after a second; a loaded machine may add some to that.
  while (rows != 0 && Clock::now() - replaced < std::chrono::seconds(5)) {
    conn.Open(db.connect_string());
    rows = count_rows("OA_Log");
    conn.Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(rows, 0);
  EXPECT_LT(Clock::now() - replaced, std::chrono::milliseconds(2500));
  conn.Open(db.connect_string());
}

}  // namespace
}  // namespace platform::ado
