// What the host's attack programs share: their arguments (MODE PORT FROM COUNT SECONDS) and a
// non-blocking connection to the server from a loopback address of their own.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

struct AttackArgs {
  std::string mode;
  int port = 0;
  const char* from = nullptr;
  std::size_t count = 0;
  std::chrono::steady_clock::time_point end;
};

// The arguments, or none (with `usage` on stderr) when they are not five.
inline std::optional<AttackArgs> attack_args(int argc, char** argv, const char* usage) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s PORT FROM COUNT SECONDS\n", usage);
    return std::nullopt;
  }
  return AttackArgs{argv[1], std::atoi(argv[2]), argv[3], std::strtoul(argv[4], nullptr, 10),
                    std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[5]))};
}

// A connection to 127.0.0.1:port from `from`, non-blocking; -1 when it fails.
inline int open_connection(int port, const char* from) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in source{};
  source.sin_family = AF_INET;
  inet_pton(AF_INET, from, &source.sin_addr);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&source), sizeof source) != 0 ||
      connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  fcntl(fd, F_SETFL, O_NONBLOCK);
  return fd;
}
