// The HTTP host with a stand-in page: wire encoding, headers, sessions by cookie, concurrency,
// static files and refusals.
#include "host/http_server.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <regex>

#include "host/server_harness.h"

namespace host {
namespace {

using namespace std::chrono_literals;

constexpr char kPage[] = "/flow/BiaoDanTianXie.asp";

// The seconds from now to an HTTP date.
long seconds_until(const std::string& http_date) {
  std::tm parts{};
  const char* end = strptime(http_date.c_str(), "%a, %d %b %Y %H:%M:%S GMT", &parts);
  EXPECT_TRUE(end != nullptr && *end == '\0') << http_date;
  return static_cast<long>(timegm(&parts) - std::time(nullptr));
}

std::string cookie_of(const httplib::Result& res) {
  std::smatch m;
  const std::string header = res->get_header_value("Set-Cookie");
  static const std::regex kCookie(R"(ASPSESSIONIDFLOWFORM=([0-9A-F]{32}); path=/; HttpOnly)");
  return std::regex_match(header, m, kCookie) ? "ASPSESSIONIDFLOWFORM=" + m[1].str() : "";
}

// A stand-in page: records what it was given and answers with the body and expiry set.
class HttpServerTest : public ::testing::Test {
 protected:
  ServeOptions options() {
    ServeOptions o;
    o.page_runner = [this](const std::shared_ptr<platform::asp::Application>&,
                           const std::shared_ptr<platform::asp::Session>& session,
                           const RequestInput& input) {
      std::lock_guard lock(mu_);
      sessions_.push_back(session.get());
      inputs_.push_back(input);
      return PageResponse{body_, expires_};
    };
    return o;
  }

  std::mutex mu_;
  std::vector<platform::asp::Session*> sessions_;
  std::vector<RequestInput> inputs_;
  std::string body_ = "<TITLE>流程处理</TITLE>";
  std::optional<long> expires_ = 0;
};

TEST_F(HttpServerTest, SendsThePageInCodePage936) {
  body_ = "<p>中 À 😀 €</p>";
  ServerHarness harness(options());
  auto res = harness.client().Get(kPage);
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->get_header_value("Content-Type"), "text/html; charset=gb2312");
  EXPECT_EQ(res->body, "<p>\xD6\xD0 &#192; &#128512; \x80</p>");
}

TEST_F(HttpServerTest, ExpiresZeroMeansExpiredAtOnce) {
  ServerHarness harness(options());
  auto res = harness.client().Get(kPage);
  ASSERT_TRUE(res);
  EXPECT_EQ(res->get_header_value("Cache-Control"), "private, max-age=0");
  EXPECT_LT(seconds_until(res->get_header_value("Expires")), -3600);
}

TEST_F(HttpServerTest, ExpiresInMinutesGivesAFutureDate) {
  expires_ = 5;
  ServerHarness harness(options());
  auto res = harness.client().Get(kPage);
  ASSERT_TRUE(res);
  EXPECT_EQ(res->get_header_value("Cache-Control"), "private, max-age=300");
  EXPECT_NEAR(seconds_until(res->get_header_value("Expires")), 300, 10);
}

TEST_F(HttpServerTest, WithoutExpiresOnlyPrivateCaching) {
  expires_.reset();
  ServerHarness harness(options());
  auto res = harness.client().Get(kPage);
  ASSERT_TRUE(res);
  EXPECT_EQ(res->get_header_value("Cache-Control"), "private");
  EXPECT_FALSE(res->has_header("Expires"));
}

TEST_F(HttpServerTest, TheSessionCookieBringsBackTheSameSession) {
  ServerHarness harness(options());
  auto client = harness.client();
  auto first = client.Get(kPage);
  ASSERT_TRUE(first);
  const std::string cookie = cookie_of(first);
  ASSERT_NE(cookie, "") << first->get_header_value("Set-Cookie");

  auto second = client.Get(kPage, {{"Cookie", "a=1; " + cookie}});
  ASSERT_TRUE(second);
  EXPECT_FALSE(second->has_header("Set-Cookie"));
  auto stranger = client.Get(kPage, {{"Cookie", "ASPSESSIONIDFLOWFORM=0123"}});
  ASSERT_TRUE(stranger);
  EXPECT_NE(cookie_of(stranger), "");
  EXPECT_NE(cookie_of(stranger), cookie);

  ASSERT_EQ(sessions_.size(), 3u);
  EXPECT_EQ(sessions_[0], sessions_[1]);
  EXPECT_NE(sessions_[0], sessions_[2]);
  EXPECT_EQ(harness.server().sessions().size(), 2u);
  // The session cookie is the host's; the page sees only the others.
  EXPECT_EQ(inputs_[1].cookies, (ValuePairs{{"a", "1"}}));
}

TEST_F(HttpServerTest, RequestValuesArriveDecodedFromCodePage936) {
  ServerHarness harness(options());
  auto client = harness.client();
  auto get = client.Get("/flow/BiaoDanTianXie.asp?BiaoDanID=3&msg=%D6%D0%CE%C4+x",
                        {{"Cookie", "_myConfigBiaoDan=%D6%D0"}});
  ASSERT_TRUE(get);
  auto post = client.Post("/flow/BiaoDanTianXie.asp?BiaoDanID=4",
                          "zd1=%C1%F7%B3%CC&zd2=", "application/x-www-form-urlencoded");
  ASSERT_TRUE(post);
  auto multipart = client.Post(kPage, httplib::MultipartFormDataItems{{"zd1", "x", "", ""}});
  ASSERT_TRUE(multipart);

  ASSERT_EQ(inputs_.size(), 3u);
  EXPECT_EQ(inputs_[0].query_string, (ValuePairs{{"BiaoDanID", "3"}, {"msg", "中文 x"}}));
  EXPECT_EQ(inputs_[0].cookies, (ValuePairs{{"_myConfigBiaoDan", "中"}}));
  EXPECT_EQ(inputs_[0].form, ValuePairs{});
  EXPECT_EQ(inputs_[0].server_variables[0],
            (std::pair<std::string, std::string>("REMOTE_ADDR", "127.0.0.1")));
  EXPECT_EQ(inputs_[1].query_string, (ValuePairs{{"BiaoDanID", "4"}}));
  EXPECT_EQ(inputs_[1].form, (ValuePairs{{"zd1", "流程"}, {"zd2", ""}}));
  EXPECT_EQ(inputs_[2].form, ValuePairs{});  // multipart bodies are not read
}

TEST_F(HttpServerTest, AValueGoesRoundTheWireUnchanged) {
  ServeOptions o = options();
  o.page_runner = [](const auto&, const auto&, const RequestInput& input) {
    return PageResponse{"[" + input.query_string.at(0).second + "]", 0};
  };
  ServerHarness harness(std::move(o));
  auto res = harness.client().Get("/flow/BiaoDanTianXie.asp?msg=%C1%F7%B3%CC%A1%A4%80");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->body, "[\xC1\xF7\xB3\xCC\xA1\xA4\x80]");
}

TEST_F(HttpServerTest, ThePagePathIgnoresLetterCase) {
  ServerHarness harness(options());
  auto res = harness.client().Get("/FLOW/biaodantianxie.ASP");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(sessions_.size(), 1u);
}

TEST_F(HttpServerTest, OtherPathsAreNotFound) {
  ServerHarness harness(options());
  auto client = harness.client();
  for (const char* path : {"/", "/flow/BiaoDanTianXieDo.asp", "/flow/BiaoDanTianXie.asp/x"}) {
    auto res = client.Get(path);
    ASSERT_TRUE(res) << path;
    EXPECT_EQ(res->status, 404) << path;
    EXPECT_EQ(res->body, "Not Found") << path;
  }
  auto post = client.Post("/other.asp", "a=1", "application/x-www-form-urlencoded");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->status, 404);
  EXPECT_TRUE(sessions_.empty());
}

TEST_F(HttpServerTest, AFailureOfTheHostIsA500AndLogged) {
  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  ServeOptions o = options();
  o.settings.event_log = log;
  o.page_runner = [](const auto&, const auto&, const RequestInput&) -> PageResponse {
    throw std::runtime_error("disk full");
  };
  ServerHarness harness(std::move(o));
  auto res = harness.client().Get(kPage);
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 500);
  EXPECT_EQ(res->body, "Internal Server Error");
  EXPECT_EQ(log->entries(),
            std::vector<std::string>{"flowform host: /flow/BiaoDanTianXie.asp: disk full"});
}

// Lets the stand-in page hold requests until a second one is inside, with a time limit.
struct Gate {
  std::mutex mu;
  std::condition_variable cv;
  int inside = 0;
  int most_inside = 0;

  // True when another request was inside with this one before the limit passed.
  bool wait_for_company(std::chrono::milliseconds limit) {
    std::unique_lock lock(mu);
    ++inside;
    most_inside = std::max(most_inside, inside);
    cv.notify_all();
    bool met = cv.wait_for(lock, limit, [&] { return most_inside >= 2; });
    --inside;
    return met;
  }
};

TEST_F(HttpServerTest, RequestsOfTwoSessionsRunAtTheSameTime) {
  Gate gate;
  ServeOptions o = options();
  o.page_runner = [&](const auto&, const auto&, const RequestInput&) {
    return PageResponse{gate.wait_for_company(10s) ? "together" : "alone", 0};
  };
  ServerHarness harness(std::move(o));
  auto request = [&] {
    auto res = harness.client().Get(kPage);
    return res ? res->body : "no response";
  };
  auto a = std::async(std::launch::async, request);
  auto b = std::async(std::launch::async, request);
  EXPECT_EQ(a.get(), "together");
  EXPECT_EQ(b.get(), "together");
  EXPECT_EQ(harness.server().sessions().size(), 2u);
}

TEST_F(HttpServerTest, RequestsOfOneSessionRunOneAfterTheOther) {
  Gate gate;
  ServeOptions o = options();
  o.page_runner = [&](const auto&, const auto&, const RequestInput&) {
    return PageResponse{gate.wait_for_company(300ms) ? "together" : "alone", 0};
  };
  ServerHarness harness(std::move(o));
  const std::string cookie = cookie_of(harness.client().Get(kPage));
  ASSERT_NE(cookie, "");
  auto request = [&] {
    auto res = harness.client().Get(kPage, {{"Cookie", cookie}});
    return res ? res->status : -1;
  };
  auto a = std::async(std::launch::async, request);
  auto b = std::async(std::launch::async, request);
  EXPECT_EQ(a.get(), 200);
  EXPECT_EQ(b.get(), 200);
  EXPECT_EQ(gate.most_inside, 1);
}

class StaticFilesOverHttpTest : public HttpServerTest {
 protected:
  StaticFilesOverHttpTest()
      : base_(std::filesystem::path(testing::TempDir()) /
              ("flowform_http_site_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(base_ / "site" / "css");
    std::ofstream(base_ / "site" / "css" / "a.css") << "body{}";
    std::ofstream(base_ / "secret.txt") << "secret";
  }
  ~StaticFilesOverHttpTest() override { std::filesystem::remove_all(base_); }

  ServeOptions site_options() {
    ServeOptions o = options();
    o.settings.site_folder = (base_ / "site").string();
    o.serve_static_files = true;
    return o;
  }

  std::filesystem::path base_;
};

TEST_F(StaticFilesOverHttpTest, ServesTheSitesFiles) {
  ServerHarness harness(site_options());
  auto res = harness.client().Get("/css/a.css");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->body, "body{}");
  EXPECT_EQ(res->get_header_value("Content-Type"), "text/css");
  auto missing = harness.client().Get("/css/b.css");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->status, 404);
}

TEST_F(StaticFilesOverHttpTest, RefusesPathsOutOfTheSite) {
  ServerHarness harness(site_options());
  for (const char* path : {"/../secret.txt", "/css/../../secret.txt", "/%2e%2e/secret.txt",
                           "/css%2F..%2F..%2Fsecret.txt", "/..%5Csecret.txt"}) {
    auto res = harness.client().Get(path);
    ASSERT_TRUE(res) << path;
    EXPECT_EQ(res->status, 403) << path;
    EXPECT_EQ(res->body, "Forbidden") << path;
  }
}

TEST_F(StaticFilesOverHttpTest, WithoutASiteThereAreNoFiles) {
  ServeOptions o = site_options();
  o.serve_static_files = false;
  ServerHarness harness(std::move(o));
  auto res = harness.client().Get("/css/a.css");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 404);
}

}  // namespace
}  // namespace host
