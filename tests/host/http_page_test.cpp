// The real page over HTTP: the whole road from the socket to the page object and back.
#include <gtest/gtest.h>

#include "host/server_harness.h"
#include "platform/config/config.h"
#include "support/page_fixture.h"

namespace host {
namespace {

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
  auto client = harness.client();

  auto first = client.Get("/flow/BiaoDanTianXie.asp");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->status, 200);
  EXPECT_EQ(first->get_header_value("Content-Type"), "text/html; charset=gb2312");
  EXPECT_EQ(first->get_header_value("Cache-Control"), "private, max-age=0");
  EXPECT_NE(first->body.find("top.location.href = \"http://oa/\xD6\xD0&#192;/login.asp\";"),
            std::string::npos)
      << first->body;
  EXPECT_NE(first->body.find("<TITLE>\xC1\xF7\xB3\xCC\xB4\xA6\xC0\xED</TITLE>"),  // 流程处理
            std::string::npos);
  const std::string set_cookie = first->get_header_value("Set-Cookie");
  ASSERT_TRUE(set_cookie.starts_with("ASPSESSIONIDFLOWFORM=")) << set_cookie;

  auto second = client.Get("/flow/BiaoDanTianXie.asp",
                           {{"Cookie", set_cookie.substr(0, set_cookie.find(';'))}});
  ASSERT_TRUE(second);
  EXPECT_EQ(second->status, 200);
  EXPECT_FALSE(second->has_header("Set-Cookie"));
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0], sessions[1]);
  EXPECT_EQ(sessions[1]->TimeOut, 45);  // set by the page from an empty OA_AnQuan
  EXPECT_EQ(sessions[1]->CodePage, 936);
}

}  // namespace
}  // namespace host
