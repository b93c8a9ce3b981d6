// The TCP connection an ODBC driver opens for a session, found among the process's sockets, so
// that a session idle in the pool can tell without a request that its server hung up.
#pragma once

#include <sys/types.h>

#include <functional>
#include <vector>

namespace platform::ado {

// The TCP client sockets that appeared while a driver opened a session. A driver that opens
// none (SQLite's) leaves it empty. When another thread opened one at the same time, that one
// is kept too: the session may then be taken for hung up when it is not, which costs a new
// login and nothing else. Copyable; hung_up() may be called from any thread.
class OdbcSocket {
 public:
  // Runs `open` (which may raise) and keeps the sockets it opened.
  static OdbcSocket opened_by(const std::function<void()>& open);

  // True when the peer has closed or reset one of the sockets, or one is no longer open. Never
  // blocks, never reads.
  bool hung_up() const noexcept;

 private:
  struct Socket {
    int fd;
    ino_t inode;
  };
  std::vector<Socket> sockets_;
};

}  // namespace platform::ado
