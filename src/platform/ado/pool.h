// The process-wide pool of open database sessions, one list per connection string.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ado/driver.h"

namespace platform::ado {

// Thread-safe. A session handed out belongs to its taker until released; sessions are matched
// by the exact connection string, as ADO pools them.
class ConnectionPool {
 public:
  static ConnectionPool& instance();

  // An idle session for `connect_string` that still reaches its database, or a new one opened
  // through the driver (-2147467259 when it cannot be opened).
  std::unique_ptr<DriverConnection> acquire(const std::string& connect_string, vb::Here where);
  // Takes a session back: a pending transaction is rolled back; a session that cannot be reset
  // to what it was when opened (see DriverConnection::reset), or one beyond the 16 idle
  // sessions kept per connection string, is closed.
  void release(const std::string& connect_string, std::unique_ptr<DriverConnection> session);

  // Idle sessions for `connect_string`, and sessions opened since the process started.
  std::size_t idle(const std::string& connect_string) const;
  std::size_t opened() const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::string, std::vector<std::unique_ptr<DriverConnection>>> idle_;
  std::size_t opened_ = 0;
};

}  // namespace platform::ado
