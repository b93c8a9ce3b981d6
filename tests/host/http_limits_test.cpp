// The host under load and abuse: slow and idle clients, pipelining, body limits, the
// connection cap, busy sessions and a port already taken.
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <sstream>

#include "host/http_server.h"
#include "host/server_harness.h"

namespace host {
namespace {

using namespace std::chrono_literals;

constexpr char kPage[] = "/flow/BiaoDanTianXie.asp";
const std::string kHalfAHead = "GET /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHo";

TEST(HttpLimits, ANinthClientIsServedWhileEightSlowOnesHoldTheirConnections) {
  ServeOptions o = echo_page();
  o.threads = 2;
  ServerHarness harness(std::move(o));
  std::vector<std::unique_ptr<TestConnection>> slow;
  for (int i = 0; i < 8; ++i) {
    slow.push_back(std::make_unique<TestConnection>(harness.port()));
    slow.back()->send(kHalfAHead);
  }
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(harness.get("/flow/BiaoDanTianXie.asp?n=9").body, "n=9;");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  // The slow ones are still served when they finish their heads.
  slow[0]->send("st: x\r\n\r\n");
  EXPECT_EQ(slow[0]->read_answer().status, 200);
}

TEST(HttpLimits, SlowHeadsSilentBodiesAndIdleConnectionsAreClosed) {
  ServeOptions o = echo_page();
  o.limits.head_timeout = 300ms;
  o.limits.body_timeout = 300ms;
  o.limits.idle_timeout = 300ms;
  ServerHarness harness(std::move(o));

  TestConnection slow_head(harness.port());
  slow_head.send(kHalfAHead);  // and not a byte more
  TestConnection silent(harness.port());
  TestConnection silent_body(harness.port());
  silent_body.send(
      "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: x\r\nContent-Length: 10\r\n\r\n12");
  TestConnection idle(harness.port());
  idle.send(http_request("GET", kPage));
  EXPECT_EQ(idle.read_answer().status, 200);
  for (TestConnection* c : {&slow_head, &silent, &silent_body, &idle}) {
    EXPECT_TRUE(c->closed_within(5s));
  }
}

TEST(HttpLimits, PipelinedRequestsAreAllAnsweredInOrder) {
  ServerHarness harness(echo_page());
  TestConnection connection(harness.port());
  connection.send(http_request("GET", "/flow/BiaoDanTianXie.asp?n=1") +
                  http_request("POST", "/flow/BiaoDanTianXie.asp?n=2",
                               {{"Content-Type", "application/x-www-form-urlencoded"}}, "a=xyz") +
                  http_request("GET", "/missing.css"));
  EXPECT_EQ(connection.read_answer().body, "n=1;");
  EXPECT_EQ(connection.read_answer().body, "n=2;a:3");
  EXPECT_EQ(connection.read_answer().status, 404);
  // The connection stays open for more.
  connection.send(http_request("GET", "/flow/BiaoDanTianXie.asp?n=4"));
  EXPECT_EQ(connection.read_answer().body, "n=4;");
}

TEST(HttpLimits, BodiesUpToTheLimitAreTakenAndLargerOnesRefused) {
  ServeOptions o = echo_page();
  o.limits.max_body = 100 * 1024;
  ServerHarness harness(std::move(o));
  const std::string form_type = "application/x-www-form-urlencoded";
  const std::string big(64 * 1024, 'x');
  EXPECT_EQ(harness.post(kPage, "zd=" + big, form_type).body, "zd:65536");
  // A client that waits for leave to send its body gets it, then the answer.
  TestConnection polite(harness.port());
  polite.send(http_request("POST", kPage, {{"Content-Type", form_type}, {"Expect", "100-continue"}},
                           "zd=" + big));
  EXPECT_EQ(polite.read_answer().body, "zd:65536");

  // Refused whole, by its length before it is read, and with the answer readable although
  // the body keeps coming.
  auto refused = harness.post(kPage, "zd=" + std::string(200 * 1024, 'x'), form_type);
  EXPECT_EQ(refused.status, 413);
  EXPECT_EQ(refused.body, "Payload Too Large");
  EXPECT_EQ(refused.get_header_value("Connection"), "close");
  // A chunked body is counted as it comes.
  const std::string chunk = "F000\r\n" + std::string(0xF000, 'y') + "\r\n";  // 60 KiB
  TestConnection chunked(harness.port());
  chunked.send(
      "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n"
      "Content-Type: " +
      form_type + "\r\n\r\n" + chunk + chunk + "0\r\n\r\n");
  EXPECT_EQ(chunked.read_answer().status, 413);
}

TEST(HttpLimits, WhatIsNotHttpGetsA400AndTheConnectionEnds) {
  ServerHarness harness(echo_page());
  TestConnection connection(harness.port());
  connection.send("HELLO THERE\r\n\r\n");
  auto answer = connection.read_answer();
  EXPECT_EQ(answer.status, 400);
  EXPECT_EQ(answer.body, "Bad Request");
  EXPECT_TRUE(connection.closed_within(5s));
  TestConnection huge(harness.port());
  huge.send("GET / HTTP/1.1\r\nX: " + std::string(70 * 1024, 'h') + "\r\n\r\n");
  EXPECT_EQ(huge.read_answer().status, 431);
}

TEST(HttpLimits, BeyondTheConnectionCapTheAnswerIs503AndRoomComesBack) {
  ServeOptions o = echo_page();
  o.limits.max_connections = 2;
  ServerHarness harness(std::move(o));
  auto first = std::make_unique<TestConnection>(harness.port());
  TestConnection second(harness.port());
  first->send(kHalfAHead);
  second.send(kHalfAHead);
  auto refused = harness.get(kPage);
  EXPECT_EQ(refused.status, 503);
  EXPECT_EQ(refused.body, "Service Unavailable");
  first.reset();
  TestAnswer served;
  for (int tries = 0; tries < 100 && served.status != 200; ++tries) {
    std::this_thread::sleep_for(10ms);  // the server sees the close in its own time
    served = harness.get(kPage);
  }
  EXPECT_EQ(served.status, 200);
}

TEST(HttpLimits, RequestsWaitingForTheirSessionHoldNoWorker) {
  // The page holds the requests of a session after its first until released.
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  ServeOptions o;
  o.threads = 2;
  o.page_runner = [&](const auto&, const auto& session, const RequestInput&) {
    if (session->get("held") == "yes") released.wait_for(20s);
    (*session)["held"] = "yes";
    return PageResponse{"done", std::nullopt};
  };
  ServerHarness harness(std::move(o));
  const std::string cookie = harness.get(kPage).get_header_value("Set-Cookie").substr(0, 53);
  ASSERT_EQ(cookie.size(), 53u) << cookie;
  std::vector<std::unique_ptr<TestConnection>> same;
  for (int i = 0; i < 4; ++i) {
    same.push_back(std::make_unique<TestConnection>(harness.port()));
    same.back()->send(http_request("GET", kPage, {{"Cookie", cookie}}));
  }
  // One worker holds the first of the four; the other three wait on the session, not on a
  // thread, so the second worker serves another client at once.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(harness.get(kPage).body, "done");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  release.set_value();
  for (auto& c : same) EXPECT_EQ(c->read_answer().body, "done");
}

TEST(HttpLimits, APortInUseIsRefusedWithTheSystemsReason) {
  ServerHarness first(echo_page());
  ServeOptions o = echo_page();
  o.listen = Listen{"127.0.0.1", first.port()};
  HttpServer second(std::move(o));
  std::string why;
  EXPECT_EQ(second.bind(&why), -1);
  EXPECT_EQ(why, "Address already in use");
  std::ostringstream err;
  EXPECT_EQ(second.serve(err, [](int) { ADD_FAILURE() << "serving"; }), 1);
  EXPECT_EQ(err.str(), "flowform: cannot listen on http://127.0.0.1:" +
                           std::to_string(first.port()) + ": Address already in use\n");
  EXPECT_EQ(first.get(kPage).status, 200);
}

}  // namespace
}  // namespace host
