// Values shared by every request of the application, with the Lock and UnLock pair that keeps
// other requests from changing them in between.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/asp/keys.h"
#include "vb/variant.h"

namespace platform::asp {

// Shared by all request threads; every member is thread-safe.
class Application final : public vb::Object {
 public:
  // The value under key (ASCII case ignored), Empty when missing. Never waits for the lock.
  vb::Variant get(std::string_view key) const;
  // Stores value under key. While another thread holds the lock, waits until it is released.
  void set(std::string_view key, const vb::Variant& value);

  // Takes the lock for the calling thread (again is a no-op); waits while another thread has it.
  void Lock();
  // Releases the lock when the calling thread holds it, else does nothing. The host calls it
  // when a request ends, so a page that failed between Lock and UnLock cannot keep the lock.
  void UnLock();

  std::string type_name() const override { return "Application"; }

 private:
  // Waits, holding mu_ through `lock`, until nobody but the calling thread holds the lock.
  void wait_for_lock(std::unique_lock<std::mutex>& lock);

  mutable std::mutex mu_;
  std::condition_variable released_;
  std::thread::id owner_;  // default id: nobody holds the lock
  std::map<std::string, vb::Variant, KeyLess> values_;
};

}  // namespace platform::asp
