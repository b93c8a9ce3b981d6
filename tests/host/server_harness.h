// Runs an HttpServer on 127.0.0.1 at a free port on its own thread for one test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/http_server.h"
#include "host/test_client.h"

namespace host {

// A stand-in page that answers with its query string and the size of each form value, served
// within `limits`.
inline ServeOptions echo_page(ConnectionLimits limits = {}) {
  ServeOptions o;
  o.limits = limits;
  o.page_runner = [](const auto&, const auto&, const RequestInput& input) {
    std::string text;
    for (const auto& [name, value] : input.query_string) text += name + "=" + value + ";";
    for (const auto& [name, value] : input.form) text += name + ":" + std::to_string(value.size());
    return PageResponse{text, std::nullopt};
  };
  return o;
}

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
  int port() const { return port_; }

  // Sends one request on a connection of its own and reads the answer.
  TestAnswer send(const std::string& request) const {
    TestConnection connection(port_);
    connection.send(request);
    return connection.read_answer();
  }
  TestAnswer get(const std::string& path, const Headers& headers = {}) const {
    return http_get(port_, path, headers);
  }
  TestAnswer post(const std::string& path, const std::string& body,
                  const std::string& content_type) const {
    return send(http_request("POST", path, {{"Content-Type", content_type}}, body));
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
