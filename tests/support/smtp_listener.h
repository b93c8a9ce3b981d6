// A small SMTP server on 127.0.0.1 for the mail tests: it takes messages and keeps them, or
// refuses recipients or stays silent when a test asks it to; with a certificate it offers
// STARTTLS. smtp_tls/ holds a certificate for 127.0.0.1 and the authority that signed it
// (ca.pem), made once with openssl for a hundred years.
#pragma once

#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/loopback_socket.h"

namespace test_support {

class SmtpListener {
 public:
  enum class Mode { kAccept, kRefuseRecipient, kSilent };

  struct Received {
    std::string from;
    std::vector<std::string> recipients;
    std::string data;   // the message as sent, without the final "."
    std::string login;  // the AUTH line, when the client logged in
    bool tls = false;   // sent after STARTTLS
  };

  // With `certificate` (a folder holding server.pem and server.key) the server offers STARTTLS.
  explicit SmtpListener(Mode mode = Mode::kAccept, const std::string& certificate = "")
      : mode_(mode) {
    if (!certificate.empty()) {
      // OpenSSL writes with write(2): a client that drops the handshake must not end the test
      // program with SIGPIPE.
      std::signal(SIGPIPE, SIG_IGN);
      tls_ = SSL_CTX_new(TLS_server_method());
      SSL_CTX_use_certificate_chain_file(tls_, (certificate + "/server.pem").c_str());
      SSL_CTX_use_PrivateKey_file(tls_, (certificate + "/server.key").c_str(), SSL_FILETYPE_PEM);
    }
    fd_ = listen_on_loopback(port_);
    thread_ = std::thread([this] { serve(); });
  }
  ~SmtpListener() {
    stop_ = true;
    thread_.join();
    close(fd_);
    SSL_CTX_free(tls_);
  }

  int port() const { return port_; }
  std::vector<Received> received() const {
    std::lock_guard lock(mu_);
    return received_;
  }

 private:
  // One client, in plain text until STARTTLS and through `ssl` after it.
  struct Client {
    int fd;
    SSL* ssl = nullptr;
    ~Client() { SSL_free(ssl); }
  };

  // Reads one line (CR LF ended) from the connection; false when it closed or the test ends.
  bool read_line(Client& c, std::string& buffer, std::string& line) {
    while (true) {
      const auto end = buffer.find("\r\n");
      if (end != std::string::npos) {
        line = buffer.substr(0, end);
        buffer.erase(0, end + 2);
        return true;
      }
      pollfd p{c.fd, POLLIN, 0};
      if ((c.ssl == nullptr || SSL_pending(c.ssl) == 0) && poll(&p, 1, 100) <= 0) {
        if (stop_) return false;
        continue;
      }
      char chunk[4096];
      const int n = c.ssl != nullptr ? SSL_read(c.ssl, chunk, sizeof chunk)
                                     : static_cast<int>(recv(c.fd, chunk, sizeof chunk, 0));
      if (n <= 0) return false;
      buffer.append(chunk, static_cast<size_t>(n));
    }
  }
  static void say(const Client& c, const std::string& text) {
    const std::string line = text + "\r\n";
    if (c.ssl != nullptr) {
      SSL_write(c.ssl, line.data(), static_cast<int>(line.size()));
    } else {
      send(c.fd, line.data(), line.size(), MSG_NOSIGNAL);
    }
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
        Client client{c};
        talk(client);
      }
      close(c);
    }
  }

  void talk(Client& c) {
    std::string buffer, line;
    Received mail;
    say(c, "220 test ESMTP");
    while (read_line(c, buffer, line)) {
      const std::string verb = line.substr(0, 4);
      if (verb == "EHLO") {
        say(c, tls_ != nullptr && c.ssl == nullptr ? "250-test\r\n250-STARTTLS\r\n250 AUTH PLAIN"
                                                   : "250-test\r\n250 AUTH PLAIN");
      } else if (line == "STARTTLS" && tls_ != nullptr) {
        say(c, "220 go ahead");
        c.ssl = SSL_new(tls_);
        SSL_set_fd(c.ssl, c.fd);
        if (SSL_accept(c.ssl) != 1) return;  // the client refused the certificate
        mail.tls = true;
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
        while (read_line(c, buffer, line) && line != ".") mail.data += line + "\r\n";
        {
          std::lock_guard lock(mu_);
          received_.push_back(mail);
        }
        mail = Received{};
        mail.tls = c.ssl != nullptr;
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
  SSL_CTX* tls_ = nullptr;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mu_;
  std::vector<Received> received_;
  std::thread thread_;
};

}  // namespace test_support
