// Application values and the application lock.
#include "platform/asp/application.h"

namespace platform::asp {

vb::Variant Application::get(std::string_view key) const {
  std::lock_guard lock(mu_);
  auto it = values_.find(key);
  return it == values_.end() ? vb::Variant() : it->second;
}

void Application::wait_for_lock(std::unique_lock<std::mutex>& lock) {
  const auto self = std::this_thread::get_id();
  released_.wait(lock, [&] { return owner_ == std::thread::id() || owner_ == self; });
}

void Application::set(std::string_view key, const vb::Variant& value) {
  std::unique_lock lock(mu_);
  wait_for_lock(lock);
  values_.insert_or_assign(std::string(key), value);
}

void Application::Lock() {
  std::unique_lock lock(mu_);
  wait_for_lock(lock);
  owner_ = std::this_thread::get_id();
}

void Application::UnLock() {
  {
    std::lock_guard lock(mu_);
    if (owner_ != std::this_thread::get_id()) return;
    owner_ = std::thread::id();
  }
  released_.notify_all();
}

}  // namespace platform::asp
