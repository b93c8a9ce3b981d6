// Shared set-up of the look-up and formatting tests: a request context with a Response, Session
// and Server, a recording event log and a fixed clock; optionally a temporary office database.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "library/page_context.h"
#include "platform/ado/connection.h"
#include "platform/asp/server.h"
#include "platform/eventlog/event_log.h"
#include "schema/database.h"
#include "vb/builtins.h"

namespace library_test {

// The clock of every context: Friday 2 September 2011, 09:05:07.
inline constexpr char kNow[] = "2011-09-02 09:05:07";

// A request context with the objects the library uses, on a clock fixed at `now`.
class TestContext {
 public:
  explicit TestContext(const char* now = kNow)
      : log_(std::make_shared<platform::eventlog::RecordingEventLog>()),
        ctx_(log_, vb::CDate(vb::Variant(now))) {
    ctx_.Server = std::make_shared<platform::asp::Server>(
        ".", "/flow", std::make_shared<const platform::asp::SiblingPages>());
    ctx_.Session = std::make_shared<platform::asp::Session>();
    ctx_.Response = std::make_shared<platform::asp::Response>();
  }

  library::PageContext& ctx() { return ctx_; }
  const std::string& page() const { return ctx_.Response->body(); }
  std::vector<std::string> logged() const { return log_->entries(); }

  // Expects exactly one handled failure: the event-log entry "<number> <description> LINE #<n>
  // Routine : qmflobiaodantianx.<routine>" and the page text " Error <description> LINE<n>
  // Routine : qmflobiaodantianx.<routine>" with the same line n, and nothing else written.
  void expect_reported(long number, const std::string& description,
                       const std::string& routine) const {
    const std::vector<std::string> entries = logged();
    ASSERT_EQ(entries.size(), 1u) << page();
    const std::string prefix = std::to_string(number) + " " + description + " LINE #";
    ASSERT_EQ(entries[0].rfind(prefix, 0), 0u) << entries[0];
    const std::string tail = entries[0].substr(prefix.size());
    const std::string line = tail.substr(0, tail.find(' '));
    EXPECT_GT(std::stol(line), 0);
    EXPECT_EQ(tail, line + " Routine : qmflobiaodantianx." + routine);
    EXPECT_EQ(page(),
              " Error " + description + " LINE" + line + " Routine : qmflobiaodantianx." + routine);
  }

  // Expects that nothing was written into the page or logged.
  void expect_quiet() const {
    EXPECT_EQ(page(), "");
    EXPECT_TRUE(logged().empty());
  }

 private:
  std::shared_ptr<platform::eventlog::RecordingEventLog> log_;
  library::PageContext ctx_;
};

// The schema's tables without demo rows in a fresh file, with ctx().conn open on it; the file
// goes with the object.
class TestDatabase {
 public:
  explicit TestDatabase(library::PageContext& ctx) : path_(unique_path()) {
    schema::create_database(path_, false);
    auto conn = std::make_shared<platform::ado::Connection>();
    conn->Open(vb::Variant("Provider=SQLite;Data Source=" + path_));
    ctx.conn = vb::ObjectRef(conn);
    conn_ = conn;
  }
  ~TestDatabase() {
    if (conn_->State() == 1) conn_->Close();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
      std::filesystem::remove(path_ + suffix);
    }
  }
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  // Runs SQLite statements as they stand (the rows a case needs); a failure fails the test.
  void exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(db, 5000);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << error << "\n" << sql;
  }

 private:
  static std::string unique_path() {
    static std::atomic<int> counter{0};
    return testing::TempDir() + "flowform_library_" + std::to_string(getpid()) + "_" +
           std::to_string(++counter) + ".db";
  }

  std::string path_;
  std::shared_ptr<platform::ado::Connection> conn_;
};

// A test with a context and no database (the formatters).
class ContextTest : public ::testing::Test {
 protected:
  library::PageContext& ctx() { return context_.ctx(); }
  const std::string& page() const { return context_.page(); }

  TestContext context_;
};

// A test with a context whose connection is open on a fresh database.
class DatabaseTest : public ContextTest {
 protected:
  TestDatabase db_{ctx()};
};

}  // namespace library_test
