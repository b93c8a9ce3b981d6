// Sessions by id: reuse, sliding expiry after TimeOut minutes, one request at a time.
#include "host/session_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <thread>

namespace host {
namespace {

using namespace std::chrono_literals;

class SessionStoreTest : public ::testing::Test {
 protected:
  SessionStore::Clock::time_point now_ = SessionStore::Clock::time_point() + 1000h;
  SessionStore store_{{}, [this] { return now_; }};
};

TEST_F(SessionStoreTest, AKnownIdGivesTheSameSession) {
  std::string id;
  {
    auto lease = store_.acquire("");
    EXPECT_TRUE(lease.is_new());
    (*lease.session())["UserName"] = "zhang";
    id = lease.id();
  }
  auto again = store_.acquire(id);
  EXPECT_FALSE(again.is_new());
  EXPECT_EQ(again.id(), id);
  EXPECT_TRUE(again.session()->get("UserName") == "zhang");
}

TEST_F(SessionStoreTest, NewSessionsGetFreshRandomIdsAndStartEmpty) {
  std::set<std::string> ids;
  for (const char* asked : {"", "", "not-a-session", "00000000000000000000000000000000"}) {
    auto lease = store_.acquire(asked);
    EXPECT_TRUE(lease.is_new()) << asked;
    EXPECT_EQ(lease.id().size(), 32u);
    EXPECT_EQ(lease.id().find_first_not_of("0123456789ABCDEF"), std::string::npos) << lease.id();
    EXPECT_TRUE(lease.session()->items().empty());
    ids.insert(lease.id());
  }
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_EQ(store_.size(), 4u);
}

TEST_F(SessionStoreTest, ExpiresTimeOutMinutesAfterItsLastRequest) {
  std::string id;
  {
    auto lease = store_.acquire("");
    lease.session()->TimeOut = 45;  // as the request set-up leaves it
    id = lease.id();
  }
  now_ += 44min;
  { EXPECT_FALSE(store_.acquire(id).is_new()); }  // sliding: 45 more minutes from here
  now_ += 44min;
  { EXPECT_FALSE(store_.acquire(id).is_new()); }
  now_ += 45min;
  auto later = store_.acquire(id);
  EXPECT_TRUE(later.is_new());
  EXPECT_NE(later.id(), id);
}

TEST_F(SessionStoreTest, TimeOutOutsideOneMinuteToOneDayIsClamped) {
  std::string short_id, long_id;
  {
    auto lease = store_.acquire("");
    lease.session()->TimeOut = 0;
    short_id = lease.id();
  }
  {
    auto lease = store_.acquire("");
    lease.session()->TimeOut = 99999;
    long_id = lease.id();
  }
  now_ += 59s;
  { EXPECT_FALSE(store_.acquire(short_id).is_new()); }
  now_ += 61s;
  { EXPECT_TRUE(store_.acquire(short_id).is_new()); }
  now_ += 1440min;
  { EXPECT_TRUE(store_.acquire(long_id).is_new()); }
}

TEST_F(SessionStoreTest, ExpiredSessionsAreDropped) {
  { store_.acquire(""); }
  { store_.acquire(""); }
  EXPECT_EQ(store_.size(), 2u);
  now_ += 21min;  // a new session's TimeOut is 20
  { store_.acquire(""); }
  EXPECT_EQ(store_.size(), 1u);
}

TEST(SessionStore, TheInitializerFillsOnlyNewSessions) {
  int calls = 0;
  SessionStore store([&](platform::asp::Session& s) {
    ++calls;
    s["UserName"] = "demo";
  });
  std::string id;
  {
    auto lease = store.acquire("");
    EXPECT_TRUE(lease.session()->get("UserName") == "demo");
    (*lease.session())["UserName"] = "changed";
    id = lease.id();
  }
  auto again = store.acquire(id);
  EXPECT_TRUE(again.session()->get("UserName") == "changed");
  EXPECT_EQ(calls, 1);
}

TEST(SessionStore, ASecondRequestOfTheSessionWaitsForTheFirst) {
  auto now = SessionStore::Clock::time_point() + 1000h;
  SessionStore store({}, [&] { return now; });
  auto first = std::make_unique<SessionStore::Lease>(store.acquire(""));
  const std::string id = first->id();
  now += 3h;  // past any TimeOut: a session in use must not expire under its request
  std::atomic<bool> second_inside{false};
  auto second = std::async(std::launch::async, [&] {
    auto lease = store.acquire(id);
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
