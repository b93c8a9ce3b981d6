// A blocking HTTP/1.1 client over a plain socket for the host's tests: sends bytes exactly as
// given (half a head, two requests in one write) and reads answers with a time limit.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

using Headers = std::vector<std::pair<std::string, std::string>>;

// One answer; status -1 when none came.
struct TestAnswer {
  int status = -1;
  std::string head;  // the header lines, each after its "\r\n"
  std::string body;

  // The value of the header `name` in any letter case; "" when there is none.
  std::string header(std::string_view name) const {
    auto lower = [](std::string text) {
      std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
      return text;
    };
    const size_t at = lower(head).find("\r\n" + lower(std::string(name)) + ":");
    if (at == std::string::npos) return "";
    const size_t start = head.find_first_not_of(' ', at + name.size() + 3);
    return head.substr(start, head.find("\r\n", start) - start);
  }
};

class TestConnection {
 public:
  // Connects to 127.0.0.1:port from the loopback address `from` (any of 127.0.0.0/8, to play
  // another client); a failed connection reads no answer.
  explicit TestConnection(int port, const char* from = "127.0.0.1")
      : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{.sin_family = AF_INET, .sin_port = 0, .sin_addr = {}, .sin_zero = {}};
    inet_pton(AF_INET, from, &address.sin_addr);
    const auto* at = reinterpret_cast<sockaddr*>(&address);
    if (bind(fd_, at, sizeof address) != 0) close_now();
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ >= 0 && connect(fd_, at, sizeof address) != 0) close_now();
  }
  ~TestConnection() { close_now(); }
  TestConnection(const TestConnection&) = delete;
  TestConnection& operator=(const TestConnection&) = delete;

  bool send(std::string_view bytes) {
    while (fd_ >= 0 && !bytes.empty()) {
      ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return fd_ >= 0;
  }

  // The next answer (interim 1xx answers skipped), read by its Content-Length; the answer to a
  // HEAD (`to_head`) has no body whatever its Content-Length says.
  TestAnswer read_answer(std::chrono::milliseconds limit = std::chrono::seconds(20),
                         bool to_head = false) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    TestAnswer answer;
    do {
      size_t head_end;
      while ((head_end = pending_.find("\r\n\r\n")) == std::string::npos) {
        if (!receive(deadline)) return {};
      }
      answer.status = std::stoi(pending_.substr(9, 3));  // "HTTP/1.1 200 OK"
      const size_t line_end = pending_.find("\r\n");
      answer.head = pending_.substr(line_end, head_end - line_end);
      pending_.erase(0, head_end + 4);
    } while (answer.status < 200);
    const size_t length = to_head ? 0 : std::stoul("0" + answer.header("Content-Length"));
    while (pending_.size() < length) {
      if (!receive(deadline)) return {};
    }
    answer.body = pending_.substr(0, length);
    pending_.erase(0, length);
    return answer;
  }

  // True when bytes from the server wait within the limit, or the server resets the connection
  // (then a hang-up); nothing is read.
  bool waiting_within(std::chrono::milliseconds limit, short what = POLLIN) {
    pollfd wanted{fd_, what, 0};
    return fd_ >= 0 && poll(&wanted, 1, static_cast<int>(limit.count())) == 1 &&
           (wanted.revents & (what | POLLHUP | POLLERR)) != 0;
  }
  bool reset_within(std::chrono::milliseconds limit) { return waiting_within(limit, 0); }

  // True when the server closes the connection within the limit; bytes that come are dropped.
  bool closed_within(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (receive(deadline)) pending_.clear();
    return std::chrono::steady_clock::now() < deadline;
  }

 private:
  // Reads what has come; false at the deadline or when the server closed.
  bool receive(std::chrono::steady_clock::time_point deadline) {
    if (fd_ < 0) return false;
    // Rounded up, so that a poll that times out ends past the deadline.
    auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd wanted{fd_, POLLIN, 0};
    if (left.count() <= 0 || poll(&wanted, 1, static_cast<int>(left.count())) != 1) return false;
    char chunk[16384];
    ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    pending_.append(chunk, static_cast<size_t>(n));
    return true;
  }

  void close_now() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  int fd_;
  std::string pending_;
};

// "METHOD PATH HTTP/1.1" with a Host header, the headers given, and the body with its length.
inline std::string http_request(const std::string& method, const std::string& path,
                                const Headers& headers = {}, const std::string& body = "") {
  std::string text = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  for (const auto& [name, value] : headers) text += name + ": " + value + "\r\n";
  if (method == "POST") text += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  return text + "\r\n" + body;
}

// The answer to a GET of path, sent on a connection of its own from the address `from`.
inline TestAnswer http_get(int port, const std::string& path, const Headers& headers = {},
                           const char* from = "127.0.0.1") {
  TestConnection connection(port, from);
  connection.send(http_request("GET", path, headers));
  return connection.read_answer();
}

}  // namespace host
