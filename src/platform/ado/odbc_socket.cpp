// Finding a session's socket by what the driver's login added to the process's open sockets.
#include "platform/ado/odbc_socket.h"

#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

namespace platform::ado {
namespace {

// The process's open sockets.
std::vector<std::pair<int, ino_t>> open_sockets() {
  std::vector<std::pair<int, ino_t>> out;
  DIR* dir = opendir("/proc/self/fd");
  if (dir == nullptr) return out;
  while (const dirent* entry = readdir(dir)) {
    char* end = nullptr;
    const long fd = std::strtol(entry->d_name, &end, 10);
    struct stat st {};
    if (*end != '\0' || end == entry->d_name || fd == dirfd(dir)) continue;
    if (fstat(static_cast<int>(fd), &st) == 0 && S_ISSOCK(st.st_mode)) {
      out.emplace_back(static_cast<int>(fd), st.st_ino);
    }
  }
  closedir(dir);
  return out;
}

int option(int fd, int name) {
  int value = 0;
  socklen_t length = sizeof value;
  return getsockopt(fd, SOL_SOCKET, name, &value, &length) == 0 ? value : -1;
}

// The local port of a TCP socket, 0 for any other.
int local_port(int fd) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  if (address.ss_family == AF_INET) {
    return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
  }
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
  }
  return 0;
}

bool connected(int fd) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  return getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
}

}  // namespace

OdbcSocket OdbcSocket::opened_by(const std::function<void()>& open) {
  const auto before = open_sockets();
  open();
  const auto after = open_sockets();
  // A connection that a server of this process accepted meanwhile has a local port on which
  // the process listens; the driver's has a port of its own.
  std::vector<int> listening;
  for (const auto& [fd, inode] : after) {
    if (option(fd, SO_ACCEPTCONN) == 1) listening.push_back(local_port(fd));
  }
  OdbcSocket out;
  for (const auto& [fd, inode] : after) {
    if (std::find(before.begin(), before.end(), std::pair{fd, inode}) != before.end()) continue;
    const int port = local_port(fd);
    if (port == 0 || option(fd, SO_TYPE) != SOCK_STREAM || option(fd, SO_ACCEPTCONN) != 0 ||
        !connected(fd) || std::find(listening.begin(), listening.end(), port) != listening.end()) {
      continue;
    }
    out.sockets_.push_back({fd, inode});
  }
  return out;
}

bool OdbcSocket::hung_up() const noexcept {
  for (const Socket& s : sockets_) {
    struct stat st {};
    if (fstat(s.fd, &st) != 0 || st.st_ino != s.inode) return true;
    pollfd p{s.fd, POLLRDHUP, 0};
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0) return true;
  }
  return false;
}

}  // namespace platform::ado
