// Runs an HttpServer on 127.0.0.1 at a free port on its own thread for one test.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <thread>

#include "host/http_server.h"

namespace host {

class ServerHarness {
 public:
  explicit ServerHarness(ServeOptions options) : server_(with_free_port(std::move(options))) {
    port_ = server_.bind();
    EXPECT_GT(port_, 0);
    thread_ = std::thread([this] { server_.run(); });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!server_.is_running() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  ~ServerHarness() {
    server_.stop();
    thread_.join();
  }

  HttpServer& server() { return server_; }

  // A client of the server with bounded waits; paths go out as written.
  httplib::Client client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_url_encode(false);
    client.set_connection_timeout(5);
    client.set_read_timeout(20);
    return client;
  }

  // GETs a path; an empty response with status -1 when none came in time.
  httplib::Response get(const std::string& path, const httplib::Headers& headers = {}) const {
    auto res = client().Get(path, headers);
    return res ? *res : httplib::Response();
  }

 private:
  static ServeOptions with_free_port(ServeOptions options) {
    options.listen = Listen{"127.0.0.1", 0};
    if (!options.settings.event_log) {
      options.settings.event_log = std::make_shared<platform::eventlog::RecordingEventLog>();
    }
    return options;
  }

  HttpServer server_;
  int port_ = -1;
  std::thread thread_;
};

}  // namespace host
