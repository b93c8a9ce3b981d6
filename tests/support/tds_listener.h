// A stand-in SQL Server on 127.0.0.1 for the driver tests: it answers the TDS pre-login without
// encryption, accepts every login and keeps the user, password and database the client sent,
// then keeps the bytes of each request and answers it with an empty DONE; a prepare
// (sp_prepexec, sp_prepare) is answered with a new handle as SQL Server returns it, and a
// primary-key look-up (sp_pkeys) with one key column, "OAID". Connections are served at once,
// each until the client hangs up, the test drops it, or the listener is destroyed.
#pragma once

#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/ado/odbc_text.h"
#include "support/loopback_socket.h"

namespace test_support {

class TdsListener {
 public:
  struct Login {
    std::string user, password, database;  // as ASCII
  };

  TdsListener() {
    fd_ = listen_on_loopback(port_);
    thread_ = std::thread([this] { serve(); });
  }
  ~TdsListener() {
    stop_ = true;
    thread_.join();
    close(fd_);
  }

  int port() const { return port_; }
  std::vector<Login> logins() const {
    std::lock_guard lock(mu_);
    return logins_;
  }
  // The payload of each SQL batch or remote procedure call, in order.
  std::vector<std::string> requests() const {
    std::lock_guard lock(mu_);
    return requests_;
  }
  // The number of each request that called one of the server's own procedures by number, in
  // order; 0 for a batch or a procedure called by name.
  enum Procedure {
    kExecuteSql = 10,
    kPrepare = 11,
    kExecute = 12,
    kPrepExec = 13,
    kUnprepare = 15
  };
  std::vector<int> procedures() const {
    std::lock_guard lock(mu_);
    return procedures_;
  }
  // Statements prepared on the server, as SQL Server counts them.
  std::size_t prepares() const {
    std::lock_guard lock(mu_);
    return static_cast<std::size_t>(
        std::count_if(procedures_.begin(), procedures_.end(),
                      [](int p) { return p == kPrepare || p == kPrepExec; }));
  }
  // Hangs up on every client connected now, as a server restart or a fail-over does, and
  // returns once each client's system has taken the hang-up (at most a few seconds); later
  // clients are served as before.
  void drop_clients() {
    std::lock_guard lock(mu_);
    for (const int c : clients_) shutdown(c, SHUT_RDWR);
    for (const int c : clients_) {
      for (int i = 0; i < 5000; ++i) {
        tcp_info info{};
        socklen_t length = sizeof info;
        getsockopt(c, IPPROTO_TCP, TCP_INFO, &info, &length);
        if (info.tcpi_state != TCP_ESTABLISHED && info.tcpi_state != TCP_FIN_WAIT1) break;
        poll(nullptr, 0, 1);
      }
    }
  }
  // True when the payload holds the UTF-8 `text` as the UTF-16 the protocol sends it in.
  static bool holds(const std::string& payload, std::string_view text) {
    const std::u16string utf16 = platform::ado::to_utf16(text);
    const std::string bytes(reinterpret_cast<const char*>(utf16.data()),
                            utf16.size() * sizeof(char16_t));
    return payload.find(bytes) != std::string::npos;
  }

 private:
  static constexpr char kRpc = 0x03, kPreLogin = 0x12, kLogin7 = 0x10, kReply = 0x04;

  // One message (its packets joined); false when the connection closed or the test ends.
  bool read_message(int c, char& type, std::string& payload) {
    payload.clear();
    for (;;) {
      unsigned char header[8];
      if (!read_exactly(c, reinterpret_cast<char*>(header), 8)) return false;
      type = static_cast<char>(header[0]);
      const std::size_t length = (header[2] << 8 | header[3]) - 8u;
      std::string part(length, '\0');
      if (!read_exactly(c, part.data(), length)) return false;
      payload += part;
      if (header[1] & 0x01) return true;  // end of message
    }
  }
  bool read_exactly(int c, char* into, std::size_t n) {
    while (n > 0) {
      pollfd p{c, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) {
        if (stop_) return false;
        continue;
      }
      const ssize_t got = recv(c, into, n, 0);
      if (got <= 0) return false;
      into += got;
      n -= static_cast<std::size_t>(got);
    }
    return true;
  }
  static void reply(int c, const std::string& payload) {
    const std::size_t length = payload.size() + 8;
    std::string packet = {kReply, 0x01, static_cast<char>(length >> 8), static_cast<char>(length),
                          0, 0, 1, 0};
    packet += payload;
    send(c, packet.data(), packet.size(), MSG_NOSIGNAL);
  }

  static std::uint16_t u16(const std::string& s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                      static_cast<unsigned char>(s[at + 1]) << 8);
  }
  // The UTF-16 text that an offset/length pair of the login packet points at, as ASCII ("?" for
  // any other character); the password's bytes are first undone (XOR 0xA5, then the two halves
  // of each byte swapped).
  static std::string login_text(const std::string& login, std::size_t pair, bool password) {
    const std::size_t at = u16(login, pair), chars = u16(login, pair + 2);
    std::string text;
    for (std::size_t i = 0; i < chars && at + 2 * i + 1 < login.size(); ++i) {
      unsigned char b[2] = {static_cast<unsigned char>(login[at + 2 * i]),
                            static_cast<unsigned char>(login[at + 2 * i + 1])};
      for (unsigned char& x : b) {
        if (password) x = static_cast<unsigned char>(((x ^ 0xA5) << 4) | ((x ^ 0xA5) >> 4));
      }
      text += b[1] == 0 && b[0] < 0x80 ? static_cast<char>(b[0]) : '?';
    }
    return text;
  }

  // Each connection on a thread of its own: a pooled session stays connected.
  void serve() {
    std::vector<std::thread> sessions;
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      const int c = accept(fd_, nullptr, nullptr);
      if (c < 0) continue;
      {
        std::lock_guard lock(mu_);
        clients_.push_back(c);
      }
      sessions.emplace_back([this, c] {
        talk(c);
        std::lock_guard lock(mu_);
        clients_.erase(std::find(clients_.begin(), clients_.end(), c));
        close(c);
      });
    }
    for (std::thread& session : sessions) session.join();
  }

  // The six columns sp_pkeys returns, as NVARCHAR(128), and one row naming the key "OAID".
  static std::string primary_key_row() {
    static constexpr std::string_view kColumns[] = {"TABLE_QUALIFIER", "TABLE_OWNER",
                                                    "TABLE_NAME",      "COLUMN_NAME",
                                                    "KEY_SEQ",         "PK_NAME"};
    static constexpr std::string_view kValues[] = {"OA", "dbo", "T", "OAID", "1", "PK_T"};
    auto utf16 = [](std::string_view text) {
      std::string out;
      for (char c : text) out += {c, '\0'};
      return out;
    };
    // COLMETADATA: count; each column a user type (4 bytes), flags (nullable), NVARCHAR with
    // its byte length and a collation (5 bytes), and its name.
    std::string tokens = {'\x81', 6, 0};
    for (std::string_view name : kColumns) {
      tokens += std::string{0, 0, 0, 0, 1, 0, '\xE7', 0, 1, 9, 4, '\xD0', 0, 0};
      tokens += static_cast<char>(name.size()) + utf16(name);
    }
    tokens += '\xD1';  // ROW: each value its byte length, then its text
    for (std::string_view value : kValues) {
      tokens += {static_cast<char>(2 * value.size()), 0};
      tokens += utf16(value);
    }
    return tokens;
  }

  // The number of the server's procedure that a call names, after the headers: 0xFFFF and the
  // number, or the name's length and the name (FreeTDS calls sp_execute by name).
  static int procedure_of(char type, const std::string& payload) {
    if (type != kRpc || payload.size() < 4) return 0;
    const std::size_t headers = u16(payload, 0) | std::size_t{u16(payload, 2)} << 16;
    if (payload.size() < headers + 4) return 0;
    const std::size_t length = u16(payload, headers);
    if (length == 0xFFFF) return u16(payload, headers + 2);
    std::string name;
    for (std::size_t i = 0; i < length && headers + 3 + 2 * i < payload.size(); ++i)
      name += payload[headers + 2 + 2 * i];
    static constexpr std::pair<std::string_view, int> kNames[] = {{"sp_executesql", kExecuteSql},
                                                                  {"sp_prepare", kPrepare},
                                                                  {"sp_execute", kExecute},
                                                                  {"sp_prepexec", kPrepExec},
                                                                  {"sp_unprepare", kUnprepare}};
    for (const auto& [known, number] : kNames) {
      if (name == known) return number;
    }
    return 0;
  }

  // What a prepare returns: its status, then the new statement's handle as the value of the
  // output parameter @handle (an INTN of 4 bytes), then DONEPROC.
  static std::string prepared_handle(std::int32_t handle) {
    std::string tokens = {'\x79', 0, 0, 0, 0};  // RETURNSTATUS 0
    tokens += {'\xAC', 0, 0, 7};                // RETURNVALUE: ordinal 0, name of 7 characters
    for (const char c : std::string_view("@handle")) tokens += {c, 0};
    tokens += {1, 0, 0, 0, 0, 0, 0, '\x26', 4, 4};  // output, user type, flags, INTN(4), length
    for (int i = 0; i < 4; ++i) tokens += static_cast<char>(handle >> 8 * i);
    return tokens + std::string{'\xFE', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // DONEPROC
  }

  void talk(int c) {
    char type = 0;
    std::string payload;
    std::int32_t handles = 0;  // handles given out on this connection
    // DONE: status 0, command 0, a row count of 8 bytes (TDS 7.2 and later).
    const std::string done = {'\xFD', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    while (read_message(c, type, payload)) {
      if (type == kPreLogin) {
        // VERSION at 11 (6 bytes), ENCRYPTION at 17 (1 byte: 2, not supported), terminator.
        reply(c, std::string{0, 0, 11, 0, 6, 1, 0, 17, 0, 1, '\xFF', 16, 0, 0, 0, 0, 0, 2});
      } else if (type == kLogin7 && payload.size() >= 72) {
        {
          std::lock_guard lock(mu_);
          logins_.push_back({login_text(payload, 40, false), login_text(payload, 44, true),
                             login_text(payload, 68, false)});
        }
        // LOGINACK: interface 1, the client's TDS version (sent the other way round), the
        // program name "S" and its version; then DONE.
        std::string ack = {1, payload[7], payload[6], payload[5], payload[4], 1, 'S', 0,
                           16, 0, 0, 0};
        reply(c, std::string{'\xAD', static_cast<char>(ack.size()), 0} + ack + done);
      } else {
        const int procedure = procedure_of(type, payload);
        {
          std::lock_guard lock(mu_);
          requests_.push_back(payload);
          procedures_.push_back(procedure);
        }
        if (procedure == kPrepare || procedure == kPrepExec) {
          reply(c, prepared_handle(++handles));
        } else {
          reply(c, holds(payload, "sp_pkeys") ? primary_key_row() + done : done);
        }
      }
    }
  }

  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mu_;
  std::vector<Login> logins_;
  std::vector<std::string> requests_;
  std::vector<int> procedures_;
  std::vector<int> clients_;  // the sockets of the connections served now
  std::thread thread_;
};

}  // namespace test_support
