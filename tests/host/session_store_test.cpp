// Sessions by id: reuse, sliding expiry after TimeOut minutes, the cap, one request at a time.
#include "host/session_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <vector>

namespace host {
namespace {

using namespace std::chrono_literals;

// A store on a clock the test moves, whose initializer gives each new session UserName "demo";
// requests that waited go on when the test says. Requests come from address_.
class SessionStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<SessionStore> make_store(std::size_t max_sessions,
                                           std::size_t max_anonymous = 100) {
    return std::make_unique<SessionStore>(SessionStore::Options{
        .initializer = [this](platform::asp::Session& s) { s["UserName"] = next_user_; },
        .max_sessions = max_sessions,
        .max_anonymous_sessions = max_anonymous,
        .post = [this](std::function<void()> task) { posted_.push_back(std::move(task)); },
        .now = [this] { return now_; }});
  }

  // The lease of the session, or nothing when the session is busy (the request then waits).
  std::optional<SessionStore::Lease> grab(std::string_view id) {
    std::optional<SessionStore::Lease> got;
    store_->acquire(id, address_,
                    [&](SessionStore::Lease lease) { got.emplace(std::move(lease)); });
    return got;
  }

  bool is_new(std::string_view id) { return grab(id)->is_new(); }

  // Makes a session, sets its TimeOut as the page would and ends its request.
  std::string new_session(int timeout) {
    auto lease = grab("");
    lease->session()->TimeOut = timeout;
    return lease->id();
  }

  std::string next_user_ = "demo";  // blank: new sessions are anonymous
  std::string address_ = "10.0.0.1";
  std::vector<std::function<void()>> posted_;
  SessionStore::Clock::time_point now_ = SessionStore::Clock::time_point() + 1000h;
  std::unique_ptr<SessionStore> store_ = make_store(100);
};

TEST_F(SessionStoreTest, UnknownIdsGetNewSessionsWithFreshIdsKnownOnesTheirOwnAsLeft) {
  std::set<std::string> ids;
  for (const char* asked : {"", "", "not-a-session", "00000000000000000000000000000000"}) {
    auto lease = grab(asked);
    EXPECT_TRUE(lease->is_new()) << asked;
    EXPECT_TRUE(std::regex_match(lease->id(), std::regex("[0-9A-F]{32}"))) << lease->id();
    (*lease->session())["UserName"] = "张三";  // not initialized again below
    ids.insert(lease->id());
  }
  EXPECT_EQ(ids.size(), 4u);
  auto again = grab(*ids.begin());
  EXPECT_FALSE(again->is_new());
  EXPECT_TRUE(again->session()->get("UserName") == "张三");
}

TEST_F(SessionStoreTest, ExpiresTimeOutMinutesAfterItsLastRequestClamped) {
  const std::string id = new_session(45);
  now_ += 44min;
  EXPECT_FALSE(is_new(id));  // sliding: 45 more minutes from here
  now_ += 44min;
  EXPECT_FALSE(is_new(id));
  now_ += 45min;
  auto later = grab(id);
  EXPECT_TRUE(later->is_new());
  EXPECT_NE(later->id(), id);
  EXPECT_EQ(store_->size(), 1u);  // the expired one was dropped

  // A TimeOut outside one minute to one day is clamped.
  const std::string short_id = new_session(0), long_id = new_session(99999);
  now_ += 59s;
  EXPECT_FALSE(is_new(short_id));
  now_ += 61s;
  EXPECT_TRUE(is_new(short_id));
  now_ += 1440min;
  EXPECT_TRUE(is_new(long_id));
}

TEST_F(SessionStoreTest, AtTheCapTheSessionIdleTheLongestGoes) {
  store_ = make_store(3);
  const std::string a = new_session(45), b = new_session(45), c = new_session(45);
  now_ += 1s;
  EXPECT_FALSE(is_new(a));  // a was used last: b is now the idlest
  now_ += 1s;
  const std::string d = new_session(45);
  EXPECT_EQ(store_->size(), 3u);
  EXPECT_FALSE(is_new(a));
  EXPECT_FALSE(is_new(c));
  EXPECT_FALSE(is_new(d));
  EXPECT_TRUE(is_new(b));  // gone, so b's cookie gets a new session (which drops a)
  EXPECT_EQ(store_->size(), 3u);
  EXPECT_TRUE(is_new(a));
}

TEST_F(SessionStoreTest, AnonymousSessionsGoBeforeAnySignedInOne) {
  store_ = make_store(4, 2);
  const std::string zhang = new_session(45);  // signed in by the initializer
  EXPECT_FALSE(is_new(zhang));                // and its cookie came back
  next_user_ = "";
  now_ += 1s;
  const std::string anonymous = new_session(45);
  const std::string li = new_session(45);
  {
    auto lease = grab(li);  // signs in during its request
    (*lease->session())["UserName"] = "li";
  }
  for (int i = 0; i < 40; ++i) new_session(45);  // ten times the cap, none signed in
  EXPECT_EQ(store_->size(), 4u);                 // two signed in, two anonymous
  EXPECT_TRUE(is_new(anonymous));
  EXPECT_FALSE(is_new(zhang));
  // Sessions the initializer signs in whose cookies never come back stay within the
  // anonymous cap, as a cookieless flood on the demo makes them.
  next_user_ = "demo";
  for (int i = 0; i < 40; ++i) new_session(45);
  EXPECT_EQ(store_->size(), 4u);
  EXPECT_FALSE(is_new(zhang));
  EXPECT_FALSE(is_new(li));
}

// A request that brings the cookie back while the session is busy (a page's frames load at
// once) counts as its return, as one that finds the session idle does.
TEST_F(SessionStoreTest, ACookieThatComesBackWhileItsSessionIsBusyCountsAsReturned) {
  store_ = make_store(4, 2);
  auto first = grab("");  // signed in by the initializer; its cookie has not come back yet
  const std::string id = first->id();
  store_->acquire(id, address_, [](SessionStore::Lease) {});  // back with the cookie: it waits
  first.reset();
  ASSERT_EQ(posted_.size(), 1u);
  posted_[0]();  // the waiting request runs and ends
  next_user_ = "";
  for (int i = 0; i < 40; ++i) new_session(45);  // a cookieless flood
  EXPECT_FALSE(is_new(id));
}

// A client that takes a new session and sends its cookie back once, again and again (the demo
// signs each in), pushes out only its own sessions: neither the idle ones of an office behind
// one address nor the one a newcomer has not yet come back with.
TEST_F(SessionStoreTest, ANewSessionFloodFromOneAddressPushesOutOnlyItsOwn) {
  store_ = make_store(100, 100);
  std::vector<std::string> office;
  for (int i = 0; i < 30; ++i) {
    office.push_back(new_session(20));
    EXPECT_FALSE(is_new(office.back()));  // back once: signed in
  }
  address_ = "10.0.0.2";
  const std::string newcomer = new_session(20);
  address_ = "10.0.0.3";
  std::vector<std::string> flood;
  for (int i = 0; i < 200; ++i) {
    now_ += 1s;
    flood.push_back(new_session(20));
    EXPECT_FALSE(is_new(flood.back())) << i;  // its own session is kept for its return
  }
  EXPECT_EQ(store_->size(), 100u);
  for (const std::string& id : office) EXPECT_FALSE(is_new(id));
  EXPECT_FALSE(is_new(newcomer));
  // Its own sessions went, the idlest first.
  EXPECT_FALSE(is_new(flood.back()));
  EXPECT_TRUE(is_new(flood.front()));
}

TEST_F(SessionStoreTest, ASessionInUseIsNeverDroppedForTheCap) {
  store_ = make_store(1);
  auto busy = grab("");
  now_ += 3h;  // past any TimeOut: a session in use must not expire under its request either
  const std::string other = new_session(20);
  EXPECT_EQ(store_->size(), 2u);
  const std::string id = busy->id();
  busy.reset();
  EXPECT_FALSE(is_new(id));
  new_session(20);  // back under the cap: both idle ones go
  EXPECT_EQ(store_->size(), 1u);
  EXPECT_TRUE(is_new(other));
}

TEST_F(SessionStoreTest, RequestsOfABusySessionWaitWithoutAThreadAndGoOnInOrder) {
  auto first = grab("");
  const std::string id = first->id();
  std::vector<std::string> order;
  for (const char* name : {"second", "third"}) {
    store_->acquire(id, address_, [&order, name](SessionStore::Lease lease) {
      order.push_back(std::string(name) + (lease.is_new() ? " new" : " same"));
    });
  }
  EXPECT_TRUE(order.empty());
  EXPECT_TRUE(posted_.empty());
  first.reset();
  // The session passes to the second request through the post function, and from it to the
  // third when its lease ends.
  ASSERT_EQ(posted_.size(), 1u);
  posted_[0]();
  ASSERT_EQ(posted_.size(), 2u);
  posted_[1]();
  EXPECT_EQ(order, (std::vector<std::string>{"second same", "third same"}));
  EXPECT_FALSE(is_new(id));  // free again
}

}  // namespace
}  // namespace host
