// The library tests' fixture: a request context with the intrinsic objects, a recording event
// log and a fixed clock; DatabaseTest adds a connection open on a fresh office database.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "library/page_context.h"
#include "platform/ado/connection.h"
#include "platform/asp/server.h"
#include "platform/eventlog/event_log.h"
#include "support/error_convention.h"
#include "support/temp_database.h"
#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace library_test {

using test_support::typed;

// The clock of every context unless a test says otherwise: Friday 2 September 2011, 09:05:07.
inline constexpr char kNow[] = "2011-09-02 09:05:07";

class LibraryTest : public ::testing::Test {
 protected:
  LibraryTest() { reset(); }

  // Starts a new request (nothing written or logged) on a clock fixed at `now`; the
  // Application and the connection carry over.
  void reset(const char* now = kNow) {
    log_ = std::make_shared<platform::eventlog::RecordingEventLog>();
    auto next = std::make_unique<library::PageContext>(log_, vb::CDate(vb::Variant(now)));
    next->Server = std::make_shared<platform::asp::Server>(
        ".", "/flow", std::make_shared<const platform::asp::SiblingPages>());
    next->Application = ctx_ ? ctx_->Application : std::make_shared<platform::asp::Application>();
    next->Session = std::make_shared<platform::asp::Session>();
    next->Request = std::make_shared<platform::asp::Request>();
    next->Response = std::make_shared<platform::asp::Response>();
    if (ctx_) next->conn = ctx_->conn;
    ctx_ = std::move(next);
  }

  library::PageContext& ctx() { return *ctx_; }
  const std::string& page() const { return ctx_->Response->body(); }
  std::vector<std::string> logged() const { return log_->entries(); }

  void expect_reported(long number, const std::string& description,
                       const std::string& routine) const {
    test_support::expect_reported(page(), logged(), number, description, routine);
  }
  // One event-log entry, beginning with `start` and holding `part`.
  void expect_logged_once(const std::string& start, const std::string& part = "") const {
    ASSERT_EQ(logged().size(), 1u);
    EXPECT_TRUE(logged()[0].starts_with(start)) << logged()[0];
    EXPECT_NE(logged()[0].find(part), std::string::npos) << logged()[0];
  }
  // The page holds each of `parts`, one after the other.
  void expect_in_order(std::initializer_list<std::string> parts) const {
    std::size_t at = 0;
    for (const std::string& part : parts) {
      at = page().find(part, at);
      ASSERT_NE(at, std::string::npos) << part << "\n in: " << page();
      at += part.size();
    }
  }
  void expect_quiet() const {
    EXPECT_EQ(page(), "");
    EXPECT_EQ(logged(), std::vector<std::string>{});
  }

 private:
  std::shared_ptr<platform::eventlog::RecordingEventLog> log_;
  std::unique_ptr<library::PageContext> ctx_;
};

// ctx().conn is open on db_.
class DatabaseTest : public LibraryTest {
 protected:
  DatabaseTest() {
    conn_->Open(vb::Variant(db_.connect()));
    ctx().conn = vb::ObjectRef(conn_);
  }
  ~DatabaseTest() override {
    if (conn_->State() == 1) conn_->Close();
  }

  test_support::TempDatabase db_;
  std::shared_ptr<platform::ado::Connection> conn_ = std::make_shared<platform::ado::Connection>();
};

}  // namespace library_test
