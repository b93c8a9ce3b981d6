// A request's repeated reads answered from its read transaction: never past that transaction's
// end, never for a read whose value changes from run to run, and within a bounded memory.
#include "platform/ado/read_memo.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/request_scope.h"
#include "platform/ado/sqlite_driver.h"

namespace platform::ado {
namespace {

using testing::rows_of;
using ReadMemoTest = testing::AdoTest;

// Files opened while it is SQLite's default file system fail every read while `failing` is set,
// as a disk with an I/O error would. It stays registered: sessions opened through it are pooled.
class FailingReads {
 public:
  static inline std::atomic<bool> failing{false};

  FailingReads() : real_(sqlite3_vfs_find(nullptr)) {
    static sqlite3_vfs vfs = [real = real_] {
      sqlite3_vfs v = *real;
      v.zName = "failing_reads";
      v.pAppData = real;
      v.xOpen = &FailingReads::open;
      return v;
    }();
    sqlite3_vfs_register(&vfs, 1);
  }
  ~FailingReads() {
    failing = false;
    sqlite3_vfs_register(real_, 1);
  }
  FailingReads(const FailingReads&) = delete;
  FailingReads& operator=(const FailingReads&) = delete;

 private:
  static int open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* out) {
    auto* real = static_cast<sqlite3_vfs*>(vfs->pAppData);
    const int rc = real->xOpen(real, name, file, flags, out);
    if (rc != SQLITE_OK || file->pMethods == nullptr) return rc;
    static const sqlite3_io_methods* real_methods = file->pMethods;
    static sqlite3_io_methods methods = [] {
      sqlite3_io_methods m = *real_methods;
      m.xRead = [](sqlite3_file* f, void* into, int amount, sqlite3_int64 offset) {
        return failing ? SQLITE_IOERR_READ : real_methods->xRead(f, into, amount, offset);
      };
      return m;
    }();
    if (file->pMethods == real_methods) file->pMethods = &methods;
    return rc;
  }

  sqlite3_vfs* real_;
};

// A statement that ends the transaction by its text leaves nothing of it behind: the next
// identical read sees the rows written meanwhile, and so does the one after it.
TEST_F(ReadMemoTest, AReadAfterTheTransactionEndsSeesNewRows) {
  const std::string read = "select count(*), max(Remark) from OA_Log";
  const std::vector<std::vector<std::string>> endings = {
      {"commit"}, {"rollback"}, {"end"}, {"end transaction"}, {"commit", "begin"}};
  int rows = 0;
  for (const auto& ending : endings) {
    RequestScope request;
    Connection page;
    page.Open(db.connect_string());
    const std::string before = rows_of(page, read);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rows_of(page, read), before);
    conn.Execute("insert into OA_Log(Remark) values ('<&\"'' row " + std::to_string(++rows) + "')");
    EXPECT_EQ(rows_of(page, read), before) << "a request reads one snapshot";
    for (const std::string& sql : ending) page.Execute(sql);
    const std::string after = std::to_string(rows) + "|<&\"' row " + std::to_string(rows);
    EXPECT_EQ(rows_of(page, read), after) << ending.front();
    EXPECT_EQ(rows_of(page, read), after) << ending.front();
  }
}

// SQLite rolls a transaction back by itself when a statement meets an I/O error (or a full disk,
// or no memory); the reads of that transaction go with it.
TEST_F(ReadMemoTest, AReadAfterSQLiteRolledBackSeesNewRows) {
  conn.Execute("insert into OA_Log(Remark) values ('a'), ('b')");
  const std::string read = "select count(*) from OA_Log";
  FailingReads disk;
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rows_of(page, read), "2");
  conn.Execute("insert into OA_Log(Remark) values ('c')");
  FailingReads::failing = true;
  EXPECT_EQ(testing::raised_by([&] { rows_of(page, "select count(*) from OA_MSG"); }).number(),
            kCommandFailed);
  FailingReads::failing = false;
  EXPECT_EQ(rows_of(page, read), "3");
  EXPECT_EQ(rows_of(page, read), "3");
}

// Counts the reads answered from the memo while it lives.
class CountedAnswers {
 public:
  static inline std::atomic<int> answers{0};
  CountedAnswers() {
    answers = 0;
    observe_read_answers([](std::string_view) { ++answers; });
  }
  ~CountedAnswers() { observe_read_answers(nullptr); }
  CountedAnswers(const CountedAnswers&) = delete;
  CountedAnswers& operator=(const CountedAnswers&) = delete;
};

// How many of `runs` runs of `sql` in one request were answered from the memo.
int answered_runs(Connection& page, const std::string& sql, int runs) {
  const int before = CountedAnswers::answers;
  for (int i = 0; i < runs; ++i) rows_of(page, sql);
  return CountedAnswers::answers - before;
}

// A read whose value may change from run to run runs every time, however its call is spelled
// (its function's name quoted too) and when a view it reads makes the call; the same words
// where they call nothing, and a view that calls nothing, leave a read to the memo.
TEST_F(ReadMemoTest, ReadsThatCallTheClockOrRandomRunEveryTime) {
  conn.Execute("create view Drawn as select DepartMentID, random() as r from KE_Department");
  conn.Execute("create view Dated as select DepartMentID, date('now') as d from KE_Department");
  conn.Execute("create view Redrawn as select * from Drawn");
  conn.Execute("create view Named as select DepartMentID, DepartName from KE_Department");
  const std::vector<std::pair<std::string, bool>> reads = {
      {"select random () from KE_Department where DepartMentID=1", false},
      {"select RANDOM/* a remark */() from KE_Department where DepartMentID=1", false},
      {"select random\r\n-- a line\r\n() from KE_Department where DepartMentID=1", false},
      {"select hex(randomblob (4)) from KE_Department where DepartMentID=1", false},
      {"select getdate () from KE_Department where DepartMentID=1", false},
      {"select unixepoch() from KE_Department where DepartMentID=1", false},
      {"select unixepoch ( ) from KE_Department where DepartMentID=1", false},
      {"select julianday\t() from KE_Department where DepartMentID=1", false},
      {"select strftime ('%s') from KE_Department where DepartMentID=1", false},
      {"select date () from KE_Department where DepartMentID=1", false},
      {"select DepartName as random from KE_Department where DepartMentID=1", true},
      {"select DepartName from KE_Department where DepartName<>'random()' and DepartMentID=1",
       true},
      {"select DepartName /* getdate() */ from KE_Department where DepartMentID=1", true},
      {"select \"random\"() from KE_Department where DepartMentID=1", false},
      {"select [RANDOM]() from KE_Department where DepartMentID=1", false},
      {"select `random` () from KE_Department where DepartMentID=1", false},
      {"select \"current_timestamp\" from KE_Department where DepartMentID=1", true},
      {"select r from Drawn where DepartMentID=1", false},
      {"select d from Dated where DepartMentID=1", false},
      {"select r from Redrawn where DepartMentID=1", false},
      {"select 1 from KE_Department where DepartMentID in (select DepartMentID from Drawn)", false},
      {"select DepartName from Named where DepartName<>'<&\"''</script' and DepartMentID=1", true},
  };
  CountedAnswers counted;
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  for (const auto& [sql, answered] : reads) {
    EXPECT_EQ(answered_runs(page, sql, 3) > 0, answered) << sql;
  }
}

// SQLite prepares a statement again when the schema changed; a view that now calls random()
// is then read every time, though the same text was answered before.
TEST_F(ReadMemoTest, AViewRedefinedToCallRandomRunsEveryTime) {
  conn.Execute("create view Picked as select DepartName from KE_Department where DepartMentID=2");
  const std::string read = "select DepartName from Picked";
  CountedAnswers counted;
  Connection page;
  for (const bool redefined : {false, true}) {
    RequestScope request;
    page.Open(db.connect_string());
    EXPECT_EQ(answered_runs(page, read, 3) > 0, !redefined);
    page.Close();
    conn.Execute("drop view Picked");
    conn.Execute(
        "create view Picked as select DepartName || random() as DepartName "
        "from KE_Department where DepartMentID=2");
  }
}

// A PRAGMA can change what a read gives (how like compares, the order of unordered rows): the
// reads kept before it are read again after it.
TEST_F(ReadMemoTest, APragmaEndsTheReadsKeptBeforeIt) {
  conn.Execute("insert into OA_Log(Remark) values ('abc<&\"'), ('ABC</script'), ('b\r\n')");
  const std::string like = "select count(*) from OA_Log where Remark like 'abc%'";
  const std::string all = "select Remark from OA_Log";
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows_of(page, like), "2");
    EXPECT_EQ(rows_of(page, all), "abc<&\";ABC</script;b\r\n");
  }
  page.Execute("PRAGMA case_sensitive_like=1");
  EXPECT_EQ(rows_of(page, like), "1");
  page.Execute("pragma reverse_unordered_selects = on");
  EXPECT_EQ(rows_of(page, all), "b\r\n;ABC</script;abc<&\"");
}

// A stored query's PRAGMA or ATTACH stays with the session that ran it: the session is not
// lent to the next user, who finds the settings and databases a new session has.
TEST_F(ReadMemoTest, ASessionIsNotLentAgainWithTheSettingsAStoredQueryChanged) {
  conn.Execute("insert into OA_Log(Remark) values ('abc'), ('ABC')");
  const std::string like = "select count(*) from OA_Log where Remark like 'abc'";
  const std::string databases = "select group_concat(name) from pragma_database_list";
  for (const char* change : {"PRAGMA case_sensitive_like=1", "attach ':memory:' as extra",
                             "select 1; pragma case_sensitive_like = true",
                             "update OA_Log set Remark=Remark; "
                             "attach ':memory:' as \"<&'</script\""}) {
    Connection page;
    page.Open(db.connect_string());
    page.Execute(change);
    page.Close();
    page.Open(db.connect_string());
    EXPECT_EQ(rows_of(page, like), "2") << change;
    EXPECT_EQ(rows_of(page, databases), "main") << change;
  }
}

// SQL for a text of about `bytes` bytes of hostile text, 14 bytes a repeat.
std::string hostile_text(int bytes) {
  return "replace(hex(zeroblob(" + std::to_string(bytes / 14) + ")), '00', '<&\"''</script\r\n')";
}

// Each request's reads have the memo's whole room: what a request kept is forgotten with it.
TEST_F(ReadMemoTest, ARepeatedLargeReadIsAnsweredInEveryRequestOfASession) {
  conn.Execute("insert into Stored(v) select " + hostile_text(49000));
  const std::string read = "select v from Stored where OAID=1";
  CountedAnswers counted;
  Connection page;
  for (int i = 0; i < 40; ++i) {
    RequestScope request;
    page.Open(db.connect_string());
    EXPECT_EQ(answered_runs(page, read, 3), i == 0 ? 1 : 2) << "request " << i;
    page.Close();
  }
}

// A page runs the same texts request after request: one that repeated in an earlier request is
// kept on its first run, so that its second is answered.
TEST_F(ReadMemoTest, ATextThatRepeatedBeforeIsAnsweredOnItsSecondRun) {
  const std::string read =
      "select DepartName from KE_Department where DepartName<>'<&\"''</script'";
  CountedAnswers counted;
  Connection page;
  for (const int expected : {0, 1, 1}) {
    RequestScope request;
    page.Open(db.connect_string());
    EXPECT_EQ(answered_runs(page, read, 2), expected);
    page.Close();
  }
}

// Only small results are kept, and only up to a bound on what the memo holds in all: a large
// result is read again each time it is run.
TEST_F(ReadMemoTest, OnlySmallResultsAreKeptAndOnlyUpToABound) {
  // 2,000 short rows, then one row of 84 kB, then 30 rows of 49 kB, of hostile text.
  conn.Execute(
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000) "
      "insert into Stored(v) select i from n");
  conn.Execute("insert into Stored(v) select " + hostile_text(84000));
  constexpr int kTexts = 30, kRowBytes = 49000;
  for (int i = 0; i < kTexts; ++i) {
    conn.Execute("insert into Stored(v) select " + hostile_text(kRowBytes));
  }

  CountedAnswers counted;
  RequestScope request;
  Connection page;
  page.Open(db.connect_string());
  EXPECT_EQ(answered_runs(page, "select OAID from Stored where OAID<=2000", 4), 0) << "many rows";
  const std::string big = "select v from Stored where OAID=2001";
  EXPECT_EQ(answered_runs(page, big, 4), 0) << "many bytes";
  EXPECT_EQ(rows_of(page, big).size(), 84000u);
  EXPECT_EQ(rows_of(page, big).substr(0, 28), "<&\"'</script\r\n<&\"'</script\r\n");

  // Texts run once take no room: as many as the repeated ones below, then those.
  for (int i = 0; i < kTexts; ++i) {
    rows_of(page, "select v, 'once' from Stored where OAID=" + std::to_string(2002 + i));
  }
  std::vector<int> answered;
  for (int i = 0; i < kTexts; ++i) {
    answered.push_back(answered_runs(
        page,
        "select v, " + std::to_string(i) + " from Stored where OAID=" + std::to_string(2002 + i),
        3));
  }
  EXPECT_EQ(answered.front(), 1) << "a small result that repeats is kept, once it repeats";
  EXPECT_EQ(answered.back(), 0) << "but not past the bound";
  const int kept = static_cast<int>(std::count(answered.begin(), answered.end(), 1));
  EXPECT_LE(kept * kRowBytes, static_cast<int>(ReadMemo::kMaxHeldBytes));
}

}  // namespace
}  // namespace platform::ado
