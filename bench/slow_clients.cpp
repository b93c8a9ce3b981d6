// Keeps N slow clients on a server: each sends one byte of a request head every interval and
// opens a new connection when the server closes its own. For the host's load script.
//   slow_clients PORT COUNT INTERVAL_MS SECONDS
// Prints how many connections were opened and how many the server closed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

int open_connection(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

struct Client {
  int fd = -1;
  std::size_t sent = 0;  // bytes of the head sent on this connection
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: slow_clients PORT COUNT INTERVAL_MS SECONDS\n");
    return 2;
  }
  const int port = std::atoi(argv[1]);
  const int count = std::atoi(argv[2]);
  const auto interval = std::chrono::milliseconds(std::atoi(argv[3]));
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[4]));
  // A head that never ends: the header line goes on one byte at a time.
  const std::string head = "GET /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: " +
                           std::string(1 << 20, 'a');
  std::vector<Client> clients(static_cast<std::size_t>(count));
  long opened = 0, closed_by_server = 0;
  while (std::chrono::steady_clock::now() < end) {
    for (Client& client : clients) {
      if (client.fd < 0) {
        client.fd = open_connection(port);
        client.sent = 0;
        if (client.fd >= 0) ++opened;
        continue;
      }
      if (send(client.fd, head.data() + client.sent, 1, MSG_NOSIGNAL) != 1) {
        close(client.fd);
        client.fd = -1;
        ++closed_by_server;
        continue;
      }
      ++client.sent;
    }
    std::this_thread::sleep_for(interval);
  }
  for (Client& client : clients) {
    if (client.fd >= 0) close(client.fd);
  }
  std::printf("slow clients: %d kept open, %ld connections opened, %ld closed by the server\n",
              count, opened, closed_by_server);
  return 0;
}
