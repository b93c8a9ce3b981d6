// Attacks on the host for its attack script (bench/host_attacks.sh), from one loopback address
// (big-rounds: COUNT addresses from FROM on), each for a bounded time and with a bounded number
// of connections, each connection reopened when the server closes it:
//   attack_clients MODE PORT FROM COUNT SECONDS
//   slow-bodies: COUNT posts of a 1,000,000-byte body, a byte a second each, and COUNT / 8 posts
//     of a 16 MB body of short keys sent whole but its last byte;
//   flood: COUNT idle connections;
//   hog: COUNT heads of posts that announce a 16 MB body and send none of it;
//   chunked: COUNT chunked posts, a byte of the body's chunks a second each;
//   big-rounds: COUNT posts of a 16 MB form of 8,000 fields at once, sent whole, again and again.
// Prints the connections opened and the answers the server gave.
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "attack_support.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Client {
  std::string from;
  int fd = -1;
  const std::string* request = nullptr;  // head and body as far as it goes
  std::size_t sent = 0;
  std::size_t burst = 0;  // bytes sent at once; the rest a byte a second
};

}  // namespace

int main(int argc, char** argv) {
  const auto args =
      attack_args(argc, argv, "attack_clients slow-bodies|flood|hog|chunked|big-rounds");
  if (!args) return 2;
  const auto& [mode, port, from, count, end] = *args;

  const auto head = [](const std::string& length) {
    return "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\n" +
           length + "\r\n\r\n";
  };
  const auto post = [&](std::size_t length) {
    return head("Content-Length: " + std::to_string(length));
  };
  constexpr std::size_t kBig = 16 * 1024 * 1024;
  const std::string trickled = post(1000000) + std::string(1000000, 'x');
  std::string big = post(kBig);
  const std::size_t big_head = big.size();
  while (big.size() < big_head + kBig) big += "k=v&";
  big.resize(big_head + kBig);
  // A form the page takes: 16 MB in 8,000 fields (the page takes 10,000 at most).
  std::string form = post(kBig);
  const std::size_t form_head = form.size();
  for (int i = 0; form.size() < form_head + kBig; ++i) {
    form += "k" + std::to_string(i) + "=" + std::string(2090, 'v') + "&";
  }
  form.resize(form_head + kBig);
  const std::string announced = post(kBig);
  std::string chunked = head("Transfer-Encoding: chunked");
  const std::size_t chunked_head = chunked.size();
  while (chunked.size() < chunked_head + 100000) chunked += "1\r\nx\r\n";

  // Each client's request and the bytes of it sent at once; the rest goes a byte a second.
  std::vector<Client> clients;
  const auto add = [&](std::size_t n, const std::string* request, std::size_t burst) {
    for (std::size_t i = 0; i < n; ++i) clients.push_back({from, -1, request, 0, burst});
  };
  if (mode == "slow-bodies") {
    add(count, &trickled, trickled.size() - 1000000);
    add(count / 8, &big, big.size() - 1);
  } else if (mode == "flood") {
    add(count, nullptr, 0);
  } else if (mode == "hog") {
    add(count, &announced, announced.size());
  } else if (mode == "chunked") {
    add(count, &chunked, chunked_head);
  } else if (mode == "big-rounds") {
    add(count, &form, form.size());
    in_addr first{};
    inet_pton(AF_INET, from, &first);
    for (std::size_t i = 0; i < count; ++i) {
      char text[INET_ADDRSTRLEN];
      const in_addr at{htonl(ntohl(first.s_addr) + static_cast<uint32_t>(i))};
      clients[i].from = inet_ntop(AF_INET, &at, text, sizeof text);
    }
  } else {
    std::fprintf(stderr, "attack_clients: no mode %s\n", mode.c_str());
    return 2;
  }
  long opened = 0;
  std::map<std::string, long> answers;
  auto next_trickle = Clock::now();
  while (Clock::now() < end) {
    const bool trickle_now = Clock::now() >= next_trickle;
    if (trickle_now) next_trickle += std::chrono::seconds(1);
    for (Client& client : clients) {
      if (client.fd < 0) {
        client.fd = open_connection(port, client.from.c_str());
        client.sent = 0;
        if (client.fd >= 0) ++opened;
        continue;
      }
      // An answer or a close: count it and start again.
      char reply[512];
      const ssize_t got = recv(client.fd, reply, sizeof reply - 1, 0);
      if (got >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        ++answers[got > 12 ? std::string(reply + 9, 3) : "closed"];
        close(client.fd);
        client.fd = -1;
        continue;
      }
      if (!client.request) continue;
      const std::size_t goal = client.sent < client.burst ? client.burst
                               : trickle_now              ? client.sent + 1
                                                          : client.sent;
      while (client.sent < std::min(goal, client.request->size())) {
        const ssize_t n = send(client.fd, client.request->data() + client.sent,
                               std::min(goal, client.request->size()) - client.sent,
                               MSG_NOSIGNAL);
        if (n <= 0) break;
        client.sent += static_cast<std::size_t>(n);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  for (Client& client : clients) {
    if (client.fd >= 0) close(client.fd);
  }
  std::printf("%s from %s: %ld connections opened; answers:", mode.c_str(), from, opened);
  for (const auto& [what, n] : answers) std::printf(" %s %ld", what.c_str(), n);
  std::printf("\n");
  return 0;
}
