// A small SMTP server on 127.0.0.1 for the mail tests: it takes messages and keeps them, or
// refuses, hangs up or stays silent when a test asks it to.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

class SmtpListener {
 public:
  enum class Mode { kAccept, kRefuseRecipient, kCloseInData, kSilent };

  struct Received {
    std::string from;
    std::vector<std::string> recipients;
    std::string data;   // the message as sent, without the final "."
    std::string login;  // the AUTH line, when the client logged in
  };

  explicit SmtpListener(Mode mode = Mode::kAccept) : mode_(mode) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd_, 8);
    socklen_t len = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~SmtpListener() {
    stop_ = true;
    thread_.join();
    close(fd_);
  }

  int port() const { return port_; }
  std::vector<Received> received() const {
    std::lock_guard lock(mu_);
    return received_;
  }

 private:
  // Reads one line (CR LF ended) from the connection; false when it closed or the test ends.
  bool read_line(int c, std::string& buffer, std::string& line) {
    while (true) {
      const auto end = buffer.find("\r\n");
      if (end != std::string::npos) {
        line = buffer.substr(0, end);
        buffer.erase(0, end + 2);
        return true;
      }
      pollfd p{c, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) {
        if (stop_) return false;
        continue;
      }
      char chunk[4096];
      const ssize_t n = recv(c, chunk, sizeof chunk, 0);
      if (n <= 0) return false;
      buffer.append(chunk, static_cast<size_t>(n));
    }
  }
  static void say(int c, const std::string& text) {
    const std::string line = text + "\r\n";
    send(c, line.data(), line.size(), MSG_NOSIGNAL);
  }

  void serve() {
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      const int c = accept(fd_, nullptr, nullptr);
      if (c < 0) continue;
      if (mode_ == Mode::kSilent) {
        while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      } else {
        talk(c);
      }
      close(c);
    }
  }

  void talk(int c) {
    std::string buffer, line;
    Received mail;
    say(c, "220 test ESMTP");
    while (read_line(c, buffer, line)) {
      const std::string verb = line.substr(0, 4);
      if (verb == "EHLO") {
        say(c, "250-test\r\n250 AUTH PLAIN");
      } else if (verb == "HELO") {
        say(c, "250 test");
      } else if (verb == "AUTH") {
        mail.login = line;
        if (line == "AUTH PLAIN") {  // the credentials follow on a line of their own
          say(c, "334 ");
          if (!read_line(c, buffer, line)) return;
          mail.login += " " + line;
        }
        say(c, "235 ok");
      } else if (verb == "MAIL") {
        mail.from = line.substr(line.find(':') + 1);
        say(c, "250 ok");
      } else if (verb == "RCPT") {
        if (mode_ == Mode::kRefuseRecipient) {
          say(c, "550 no such user");
          continue;
        }
        mail.recipients.push_back(line.substr(line.find(':') + 1));
        say(c, "250 ok");
      } else if (verb == "DATA") {
        say(c, "354 go on");
        if (mode_ == Mode::kCloseInData) return;
        while (read_line(c, buffer, line) && line != ".") mail.data += line + "\r\n";
        {
          std::lock_guard lock(mu_);
          received_.push_back(mail);
        }
        mail = Received{};
        say(c, "250 queued");
      } else if (verb == "QUIT") {
        say(c, "221 bye");
        return;
      } else {
        say(c, "250 ok");
      }
    }
  }

  Mode mode_;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mu_;
  std::vector<Received> received_;
  std::thread thread_;
};

}  // namespace test_support
