// The HTTP host with a stand-in page (wire encoding, headers, sessions by cookie, concurrency,
// static files and refusals), then with the real one.
#include "host/http_server.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <regex>

#include "host/server_harness.h"
#include "platform/config/config.h"
#include "support/page_fixture.h"

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

std::string cookie_of(const TestAnswer& res) {
  std::smatch m;
  const std::string header = res.get_header_value("Set-Cookie");
  static const std::regex kCookie(R"(ASPSESSIONIDFLOWFORM=([0-9A-F]{32}); path=/; HttpOnly)");
  return std::regex_match(header, m, kCookie) ? "ASPSESSIONIDFLOWFORM=" + m[1].str() : "";
}

ServeOptions with_page(PageRunner page) {
  ServeOptions o;
  o.page_runner = std::move(page);
  return o;
}

// A stand-in page that holds each request, up to a time limit, until a second one is inside;
// it answers "together" when one came, else "alone".
struct Gate {
  std::mutex mu;
  std::condition_variable cv;
  int inside = 0;
  int most_inside = 0;

  PageRunner page(std::chrono::milliseconds limit) {
    return [this, limit](const auto&, const auto&, const RequestInput&) {
      std::unique_lock lock(mu);
      most_inside = std::max(most_inside, ++inside);
      cv.notify_all();
      const bool met = cv.wait_for(lock, limit, [&] { return most_inside >= 2; });
      --inside;
      return PageResponse{met ? "together" : "alone", 0};
    };
  }
};

// Sends two requests of the page at once; returns their bodies.
std::vector<std::string> two_at_once(const ServerHarness& harness, const Headers& headers) {
  auto request = [&] { return harness.get(kPage, headers).body; };
  auto a = std::async(std::launch::async, request);
  auto b = std::async(std::launch::async, request);
  return {a.get(), b.get()};
}

// A stand-in page: records what it was given and answers with an empty body, expired at once.
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
      return PageResponse{"", 0};
    };
    return o;
  }

  std::mutex mu_;
  std::vector<platform::asp::Session*> sessions_;
  std::vector<RequestInput> inputs_;
};

TEST_F(HttpServerTest, TheWireIsCodePage936BothWays) {
  ServerHarness harness(with_page([](const auto&, const auto&, const RequestInput& input) {
    return PageResponse{"<p>中 À 😀 €</p>[" + input.query_string.at(0).second + "]", 0};
  }));
  auto res = harness.get("/flow/BiaoDanTianXie.asp?msg=%C1%F7%B3%CC%A1%A4%80");
  EXPECT_EQ(res.status, 200);
  EXPECT_EQ(res.get_header_value("Content-Type"), "text/html; charset=gb2312");
  EXPECT_EQ(res.body, "<p>\xD6\xD0 &#192; &#128512; \x80</p>[\xC1\xF7\xB3\xCC\xA1\xA4\x80]");
}

TEST_F(HttpServerTest, CacheHeadersFollowResponseExpires) {
  ServerHarness harness(with_page([](const auto&, const auto&, const RequestInput& input) {
    if (input.query_string.empty()) return PageResponse{"", std::nullopt};
    return PageResponse{"", std::stol(input.query_string.at(0).second)};
  }));
  auto at_once = harness.get("/flow/BiaoDanTianXie.asp?Expires=0");
  EXPECT_EQ(at_once.get_header_value("Cache-Control"), "private, max-age=0");
  EXPECT_LT(seconds_until(at_once.get_header_value("Expires")), -3600);
  auto later = harness.get("/flow/BiaoDanTianXie.asp?Expires=5");
  EXPECT_EQ(later.get_header_value("Cache-Control"), "private, max-age=300");
  EXPECT_NEAR(seconds_until(later.get_header_value("Expires")), 300, 10);
  auto never_set = harness.get(kPage);
  EXPECT_EQ(never_set.get_header_value("Cache-Control"), "private");
  EXPECT_FALSE(never_set.has_header("Expires"));
}

TEST_F(HttpServerTest, TheSessionCookieBringsBackTheSameSession) {
  ServerHarness harness(options());
  auto first = harness.get(kPage);
  const std::string cookie = cookie_of(first);
  ASSERT_NE(cookie, "") << first.get_header_value("Set-Cookie");

  EXPECT_FALSE(harness.get(kPage, {{"Cookie", "a=1; " + cookie}}).has_header("Set-Cookie"));
  auto stranger = harness.get(kPage, {{"Cookie", "ASPSESSIONIDFLOWFORM=0123"}});
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
  harness.get("/flow/BiaoDanTianXie.asp?BiaoDanID=3&msg=%D6%D0%CE%C4+x",
              {{"Cookie", "_myConfigBiaoDan=%D6%D0"}});
  auto form = harness.post("/flow/BiaoDanTianXie.asp?BiaoDanID=4",
                           "zd1=%C1%F7%B3%CC&zd2=", "application/x-www-form-urlencoded");
  auto multipart =
      harness.post(kPage, "--b\r\nContent-Disposition: form-data; name=\"zd1\"\r\n\r\nx\r\n--b--",
                   "multipart/form-data; boundary=b");
  EXPECT_EQ(form.status, 200);
  EXPECT_EQ(multipart.status, 200);

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

TEST_F(HttpServerTest, OnlyThePagePathIsServedInAnyLetterCase) {
  ServerHarness harness(options());
  for (const char* path : {"/", "/flow/BiaoDanTianXieDo.asp", "/flow/BiaoDanTianXie.asp/x"}) {
    auto res = harness.get(path);
    EXPECT_EQ(res.status, 404) << path;
    EXPECT_EQ(res.body, "Not Found") << path;
  }
  EXPECT_EQ(harness.post("/other.asp", "a=1", "application/x-www-form-urlencoded").status, 404);
  EXPECT_EQ(harness.send(http_request("PUT", kPage)).status, 404);
  EXPECT_TRUE(sessions_.empty());

  EXPECT_EQ(harness.get("/FLOW/biaodantianxie.ASP").status, 200);
  EXPECT_EQ(sessions_.size(), 1u);
}

TEST_F(HttpServerTest, AFailureOfTheHostIsA500AndLogged) {
  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  ServeOptions o = with_page([](const auto&, const auto&, const RequestInput&) -> PageResponse {
    throw std::runtime_error("disk full");
  });
  o.settings.event_log = log;
  ServerHarness harness(std::move(o));
  auto res = harness.get(kPage);
  EXPECT_EQ(res.status, 500);
  EXPECT_EQ(res.body, "Internal Server Error");
  EXPECT_EQ(log->entries(),
            std::vector<std::string>{"flowform host: /flow/BiaoDanTianXie.asp: disk full"});
}

TEST_F(HttpServerTest, RequestsOfTwoSessionsOverlapAndThoseOfOneTakeTurns) {
  Gate apart;
  ServerHarness two(with_page(apart.page(10s)));
  EXPECT_EQ(two_at_once(two, {}), (std::vector<std::string>{"together", "together"}));
  EXPECT_EQ(two.server().sessions().size(), 2u);

  Gate shared;
  ServerHarness one(with_page(shared.page(300ms)));
  const std::string cookie = cookie_of(one.get(kPage));
  ASSERT_NE(cookie, "");
  EXPECT_EQ(two_at_once(one, {{"Cookie", cookie}}), (std::vector<std::string>{"alone", "alone"}));
  EXPECT_EQ(shared.most_inside, 1);
}

TEST_F(HttpServerTest, ServesSiteFilesOnlyFromInsideTheSiteAndOnlyWhenAsked) {
  const auto base = std::filesystem::path(testing::TempDir()) /
                    ("flowform_http_site_" + std::to_string(getpid()));
  std::filesystem::create_directories(base / "site" / "css");
  std::ofstream(base / "site" / "css" / "a.css") << "body{}";
  std::ofstream(base / "secret.txt") << "secret";
  ServeOptions o = options();
  o.settings.site_folder = (base / "site").string();
  o.serve_static_files = true;
  {
    ServerHarness harness(o);
    auto res = harness.get("/css/a.css");
    EXPECT_EQ(res.status, 200);
    EXPECT_EQ(res.body, "body{}");
    EXPECT_EQ(res.get_header_value("Content-Type"), "text/css");
    EXPECT_EQ(harness.get("/css/b.css").status, 404);
    // Decoded, each of these leaves the site.
    for (const char* path : {"/../secret.txt", "/%2e%2e/secret.txt", "/css%2F..%2F..%2Fsecret.txt",
                             "/..%5Csecret.txt"}) {
      auto refused = harness.get(path);
      EXPECT_EQ(refused.status, 403) << path;
      EXPECT_EQ(refused.body, "Forbidden") << path;
    }
  }
  o.serve_static_files = false;
  EXPECT_EQ(ServerHarness(o).get("/css/a.css").status, 404);
  std::filesystem::remove_all(base);
}

// The real page behind the server: the whole road from the socket to the page object and back.
class HttpPageTest : public ::testing::Test {
 protected:
  HttpPageTest() { platform::config::ConfigComponent::set_command_line_connect(db_.connect()); }
  ~HttpPageTest() override { platform::config::ConfigComponent::set_command_line_connect(""); }

  page_test::TempDatabase db_;
};

TEST_F(HttpPageTest, ServesThePageInCodePage936InItsSession) {
  ServeOptions options;
  options.settings.event_log = std::make_shared<platform::eventlog::RecordingEventLog>();
  // Written by the login redirect, which a session without a user gets: 中 is in code page
  // 936, À is not.
  options.application_values = {{"SendrixOAURL", "http://oa/中À/"}};
  std::vector<platform::asp::Session*> sessions;
  options.page_runner = [&, settings = options.settings](const auto& application,
                                                         const auto& session,
                                                         const RequestInput& input) {
    sessions.push_back(session.get());
    return run_request(settings, application, session, input);
  };
  ServerHarness harness(std::move(options));

  auto first = harness.get(kPage);
  EXPECT_EQ(first.status, 200);
  EXPECT_EQ(first.get_header_value("Content-Type"), "text/html; charset=gb2312");
  EXPECT_EQ(first.get_header_value("Cache-Control"), "private, max-age=0");
  EXPECT_NE(first.body.find("top.location.href = \"http://oa/\xD6\xD0&#192;/login.asp\";"),
            std::string::npos)
      << first.body;
  // Nobody is logged in: the page stops after the set-up, before its head.
  EXPECT_EQ(first.body.find("<TITLE>\xC1\xF7\xB3\xCC\xB4\xA6\xC0\xED</TITLE>"),  // 流程处理
            std::string::npos);
  const std::string cookie = cookie_of(first);
  ASSERT_NE(cookie, "") << first.get_header_value("Set-Cookie");

  auto second = harness.get(kPage, {{"Cookie", cookie}});
  EXPECT_EQ(second.status, 200);
  EXPECT_FALSE(second.has_header("Set-Cookie"));
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0], sessions[1]);
  EXPECT_EQ(sessions[1]->TimeOut, 45);  // set by the page from an empty OA_AnQuan
  EXPECT_EQ(sessions[1]->CodePage, 936);
}

}  // namespace
}  // namespace host
