// Session pooling: Open after Close costs a lock and a lookup instead of opening the file.
#include "platform/ado/pool.h"


namespace platform::ado {
namespace {
constexpr std::size_t kIdlePerConnectString = 16;
}  // namespace

ConnectionPool& ConnectionPool::instance() {
  static ConnectionPool pool;
  return pool;
}

std::unique_ptr<DriverConnection> ConnectionPool::acquire(const std::string& connect_string,
                                                          vb::Here where) {
  {
    std::lock_guard lock(mutex_);
    auto it = idle_.find(connect_string);
    while (it != idle_.end() && !it->second.empty()) {
      std::unique_ptr<DriverConnection> session = std::move(it->second.back());
      it->second.pop_back();
      if (session->still_valid()) return session;
    }
  }
  std::unique_ptr<DriverConnection> session = connect(connect_string, where);
  std::lock_guard lock(mutex_);
  ++opened_;
  return session;
}

void ConnectionPool::release(const std::string& connect_string,
                             std::unique_ptr<DriverConnection> session) {
  if (!session->reset()) return;
  std::lock_guard lock(mutex_);
  auto& sessions = idle_[connect_string];
  if (sessions.size() < kIdlePerConnectString) sessions.push_back(std::move(session));
}

std::size_t ConnectionPool::idle(const std::string& connect_string) const {
  std::lock_guard lock(mutex_);
  auto it = idle_.find(connect_string);
  return it == idle_.end() ? 0 : it->second.size();
}

std::size_t ConnectionPool::opened() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

}  // namespace platform::ado
