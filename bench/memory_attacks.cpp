// Attacks on what the host holds of memory, for its attack script (bench/host_attacks.sh), from
// COUNT / PER connections' worth of loopback addresses starting at FROM, each for a bounded time,
// each connection reopened when the server closes it (large-heads and slow-readers: once):
//   memory_attacks MODE PORT FROM COUNT SECONDS
//   framing: COUNT chunked posts whose size line (every other one: whose trailers) never ends,
//     sent as fast as the server takes them;
//   large-heads: COUNT connections, each a GET of a missing file with a 60 KB header, then held
//     idle until SECONDS are over;
//   large-heads-closed: the same, each connection closed after its answer, then opened again;
//   slow-readers: COUNT GETs of /ckeditor/ckeditor.js that read none of it;
//   share-flood: COUNT posts from 64 addresses that announce 16 MB, send 256 KB and stall.
// Prints the connections opened, the answers the server gave (or "closed", or "reset"), and for
// slow-readers how long the server kept them on average.
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "attack_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// The address `n` after `first`.
std::string address_after(const char* first, std::size_t n) {
  in_addr at{};
  inet_pton(AF_INET, first, &at);
  at.s_addr = htonl(ntohl(at.s_addr) + static_cast<uint32_t>(n));
  char text[INET_ADDRSTRLEN];
  return inet_ntop(AF_INET, &at, text, sizeof text);
}

struct Client {
  std::string from;
  const std::string* request = nullptr;
  bool endless = false;  // after the request, filler bytes for as long as the server takes them
  int fd = -1;
  std::size_t sent = 0;
  bool answered = false;
  Clock::time_point opened;
};

}  // namespace

int main(int argc, char** argv) {
  const auto args = attack_args(
      argc, argv, "memory_attacks framing|large-heads|large-heads-closed|slow-readers|share-flood");
  if (!args) return 2;
  const auto& [mode, port, from, count, end] = *args;

  const std::string chunked =
      "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: 127.0.0.1\r\nTransfer-Encoding: chunked\r\n"
      "Content-Type: application/x-www-form-urlencoded\r\n\r\n";
  const std::string line = chunked + "1;", trailers = chunked + "1\r\nx\r\n0\r\nX-Trailer: ";
  const std::string head =
      "GET /missing.css HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Large: " + std::string(60 * 1024, 'h') +
      "\r\n\r\n";
  const std::string editor = "GET /ckeditor/ckeditor.js HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  const std::string flood =
      "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
      "application/x-www-form-urlencoded\r\nContent-Length: 16777216\r\n\r\n" +
      std::string(256 * 1024, 'f');
  const std::string filler(64 * 1024, 'e');

  // Each client's request and its address: 50 connections an address (the server takes 64),
  // the share flood's 64 addresses.
  std::vector<Client> clients;
  for (std::size_t i = 0; i < count; ++i) {
    Client c;
    c.from = address_after(from, i / 50);
    if (mode == "framing") {
      c.request = i % 2 ? &trailers : &line;
      c.endless = true;
    } else if (mode == "large-heads" || mode == "large-heads-closed") {
      c.request = &head;
    } else if (mode == "slow-readers") {
      c.request = &editor;
    } else if (mode == "share-flood") {
      c.from = address_after(from, i % 64);
      c.request = &flood;
    } else {
      std::fprintf(stderr, "memory_attacks: no mode %s\n", mode.c_str());
      return 2;
    }
    clients.push_back(c);
  }
  const bool once = mode == "large-heads" || mode == "slow-readers";
  const bool read_answers = mode != "slow-readers";
  long opened = 0;
  double kept_seconds = 0;
  long ended = 0;
  std::map<std::string, long> answers;
  std::vector<bool> done(clients.size(), false);
  while (Clock::now() < end) {
    for (std::size_t i = 0; i < clients.size(); ++i) {
      Client& c = clients[i];
      if (c.fd < 0) {
        if (done[i]) continue;
        c.fd = open_connection(port, c.from.c_str());
        c.sent = 0;
        c.answered = false;
        c.opened = Clock::now();
        if (c.fd >= 0) ++opened;
        continue;
      }
      if (read_answers && !c.answered) {
        char reply[512];
        const ssize_t got = recv(c.fd, reply, sizeof reply - 1, 0);
        if (got >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
          ++answers[got > 12 ? std::string(reply + 9, 3) : "closed"];
          c.answered = true;
          if (mode == "large-heads" && got > 12) continue;  // held idle from now on
          close(c.fd);
          c.fd = -1;
          done[i] = once;
          continue;
        }
      } else if (!read_answers) {
        // Reads nothing: only a reset from the server shows, as a hang-up.
        pollfd state{c.fd, 0, 0};
        if (poll(&state, 1, 0) == 1 && (state.revents & (POLLHUP | POLLERR)) != 0) {
          ++answers["reset"];
          kept_seconds += std::chrono::duration<double>(Clock::now() - c.opened).count();
          ++ended;
          close(c.fd);
          c.fd = -1;
          done[i] = once;
          continue;
        }
      }
      while (c.sent < c.request->size()) {
        const ssize_t n =
            send(c.fd, c.request->data() + c.sent, c.request->size() - c.sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        c.sent += static_cast<std::size_t>(n);
      }
      for (int pieces = 0; c.endless && c.sent >= c.request->size() && pieces < 16; ++pieces) {
        if (send(c.fd, filler.data(), filler.size(), MSG_NOSIGNAL) <= 0) break;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  for (Client& c : clients) {
    if (c.fd >= 0) close(c.fd);
  }
  std::printf("%s from %s: %ld connections opened; answers:", mode.c_str(), from, opened);
  for (const auto& [what, n] : answers) std::printf(" %s %ld", what.c_str(), n);
  if (ended > 0) std::printf("; kept %.1f s on average", kept_seconds / static_cast<double>(ended));
  std::printf("\n");
  return 0;
}
