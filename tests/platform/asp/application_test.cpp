#include "platform/asp/application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace platform::asp {
namespace {

using namespace std::chrono_literals;

TEST(Application, ValuesByKeyIgnoringLetterCase) {
  Application app;
  EXPECT_TRUE(app.get("KELDBConnectString").is_empty());
  app.set("KELDBConnectString", "Provider=SQLite;Data Source=a.db");
  EXPECT_EQ(app.get("keldbconnectstring"), "Provider=SQLite;Data Source=a.db");
}

TEST(Application, WritersWaitWhileAnotherRequestHoldsTheLock) {
  Application app;
  app.Lock();
  app.set("SendrixOAURL", "mine");  // the holder itself is not kept waiting
  std::atomic<bool> written{false};
  std::thread other([&] {
    app.set("SendrixOAURL", "other");
    written = true;
  });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(written);
  EXPECT_EQ(app.get("SendrixOAURL"), "mine");  // readers are not kept waiting
  app.UnLock();
  other.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(app.get("SendrixOAURL"), "other");
}

TEST(Application, LockIsExclusiveAndUnLockByOthersDoesNothing) {
  Application app;
  app.Lock();
  app.Lock();  // taking it again does not deadlock
  std::atomic<bool> locked{false};
  std::thread other([&] {
    app.UnLock();  // not the holder: no effect
    app.Lock();
    locked = true;
    app.UnLock();
  });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(locked);
  app.UnLock();
  other.join();
  EXPECT_TRUE(locked);
}

TEST(Application, ConcurrentLockedUpdatesAreNotLost) {
  Application app;
  app.set("n", 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i) {
        app.Lock();
        app.set("n", app.get("n") + vb::Variant(1));
        app.UnLock();
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(app.get("n"), 1600);
}

}  // namespace
}  // namespace platform::asp
