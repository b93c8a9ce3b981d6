// Sessions by id: reuse, sliding expiry after TimeOut minutes, one request at a time.
#include "host/session_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <set>

namespace host {
namespace {

using namespace std::chrono_literals;

// A store on a clock the test moves, whose initializer gives each new session UserName "demo".
class SessionStoreTest : public ::testing::Test {
 protected:
  // Makes a session, sets its TimeOut as the page would and ends its request.
  std::string new_session(int timeout) {
    auto lease = store_.acquire("");
    lease.session()->TimeOut = timeout;
    return lease.id();
  }

  int initialized_ = 0;
  SessionStore::Clock::time_point now_ = SessionStore::Clock::time_point() + 1000h;
  SessionStore store_{[this](platform::asp::Session& s) {
                        ++initialized_;
                        s["UserName"] = "demo";
                      },
                      [this] { return now_; }};
};

TEST_F(SessionStoreTest, AKnownIdGivesTheSameSessionWithoutInitializingItAgain) {
  std::string id;
  {
    auto lease = store_.acquire("");
    EXPECT_TRUE(lease.is_new());
    EXPECT_TRUE(lease.session()->get("UserName") == "demo");
    (*lease.session())["UserName"] = "zhang";
    id = lease.id();
  }
  auto again = store_.acquire(id);
  EXPECT_FALSE(again.is_new());
  EXPECT_EQ(again.id(), id);
  EXPECT_TRUE(again.session()->get("UserName") == "zhang");
  EXPECT_EQ(initialized_, 1);
}

TEST_F(SessionStoreTest, NewSessionsGetFreshRandomIdsAndOnlyTheInitialValues) {
  std::set<std::string> ids;
  for (const char* asked : {"", "", "not-a-session", "00000000000000000000000000000000"}) {
    auto lease = store_.acquire(asked);
    EXPECT_TRUE(lease.is_new()) << asked;
    EXPECT_EQ(lease.id().size(), 32u);
    EXPECT_EQ(lease.id().find_first_not_of("0123456789ABCDEF"), std::string::npos) << lease.id();
    EXPECT_EQ(lease.session()->items().size(), 1u);
    (*lease.session())["TureName"] = "张三";
    ids.insert(lease.id());
  }
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_EQ(store_.size(), 4u);
}

TEST_F(SessionStoreTest, ExpiresTimeOutMinutesAfterItsLastRequest) {
  const std::string id = new_session(45);
  now_ += 44min;
  EXPECT_FALSE(store_.acquire(id).is_new());  // sliding: 45 more minutes from here
  now_ += 44min;
  EXPECT_FALSE(store_.acquire(id).is_new());
  now_ += 45min;
  auto later = store_.acquire(id);
  EXPECT_TRUE(later.is_new());
  EXPECT_NE(later.id(), id);
}

TEST_F(SessionStoreTest, TimeOutOutsideOneMinuteToOneDayIsClamped) {
  const std::string short_id = new_session(0), long_id = new_session(99999);
  now_ += 59s;
  EXPECT_FALSE(store_.acquire(short_id).is_new());
  now_ += 61s;
  EXPECT_TRUE(store_.acquire(short_id).is_new());
  now_ += 1440min;
  EXPECT_TRUE(store_.acquire(long_id).is_new());
}

TEST_F(SessionStoreTest, ExpiredSessionsAreDropped) {
  new_session(20);
  new_session(20);
  EXPECT_EQ(store_.size(), 2u);
  now_ += 21min;
  new_session(20);
  EXPECT_EQ(store_.size(), 1u);
}

TEST_F(SessionStoreTest, ASecondRequestOfTheSessionWaitsForTheFirst) {
  auto first = std::make_unique<SessionStore::Lease>(store_.acquire(""));
  const std::string id = first->id();
  now_ += 3h;  // past any TimeOut: a session in use must not expire under its request
  std::atomic<bool> second_inside{false};
  auto second = std::async(std::launch::async, [&] {
    auto lease = store_.acquire(id);
    second_inside = true;
    return lease.is_new();
  });
  EXPECT_EQ(second.wait_for(200ms), std::future_status::timeout);
  EXPECT_FALSE(second_inside);
  first.reset();
  ASSERT_EQ(second.wait_for(10s), std::future_status::ready);
  EXPECT_FALSE(second.get());  // it got the same session, not a new one
}

}  // namespace
}  // namespace host
