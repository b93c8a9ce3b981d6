// Application: values shared by all requests, and the Lock that holds other writers back.
#include "platform/asp/application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace platform::asp {
namespace {

using namespace std::chrono_literals;

TEST(Application, LockHoldsOtherWritersButNotReaders) {
  Application app;
  EXPECT_TRUE(app.get("SendrixOAURL").is_empty());
  app.Lock();
  app.Lock();                       // taking it again does not deadlock
  app.set("SendrixOAURL", "mine");  // nor does the holder's own write
  std::atomic<bool> written{false};
  std::thread other([&] {
    app.UnLock();  // not the holder: no effect
    app.set("SendrixOAURL", "other");
    written = true;
  });
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(written);
  EXPECT_EQ(app.get("sendrixoaurl"), "mine");  // readers are not kept waiting; keys ignore case
  app.UnLock();
  other.join();
  EXPECT_EQ(app.get("SendrixOAURL"), "other");
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
