// The button bar and the handling panel as the frame calls them back on a page of the demo
// database: what they show follows the road of the request, the user and the node.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frames/page_callbacks.h"
#include "host/url_values.h"
#include "page/demo_database.h"
#include "page/qmflobiaodantianx.h"
#include "platform/asp/object_context.h"
#include "platform/asp/request.h"
#include "platform/asp/response.h"
#include "support/client_script.h"

namespace page_test {
namespace {

// What the page wrote before the frame, and what the two callbacks then wrote.
struct Panel {
  std::string page, bar, content;
  std::vector<std::string> logged;
  bool bar_has(const std::string& text) const { return bar.find(text) != std::string::npos; }
};

class HandlingPanelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { db_ = new DemoDatabase; }
  static void TearDownTestSuite() { delete db_; }

  // Runs I_init for `user` on the URL-encoded query, then the frame's two callbacks.
  Panel open(const std::string& query, const std::string& user = "zhangsan") {
    auto request = std::make_shared<platform::asp::Request>();
    for (const auto& [key, value] : host::parse_urlencoded(query, host::Charset::utf8)) {
      request->add_query_string(key, value);
    }
    request->set_server_variable("REMOTE_ADDR", "192.168.1.12");
    auto application = std::make_shared<platform::asp::Application>();
    application->set("KELDBConnectString", db_->connect());
    auto session = std::make_shared<platform::asp::Session>();
    (*session)["UserName"] = user;
    (*session)["TureName"] = "用户";
    (*session)["SystemURL"] = "/";
    (*session)["DepartMentID"] = 4;
    auto response = std::make_shared<platform::asp::Response>();
    auto server =
        std::make_shared<platform::asp::Server>(".", host::kPageFolder, host::sibling_pages());
    platform::asp::ObjectContext context(server, application, session, request, response);
    platform::eventlog::RecordingEventLog log;
    page::qmflobiaodantianx page(context, log, vb::CDate(vb::Variant("2011-09-02 09:05:07")));
    page.I_init();
    // The library's slots of the page object reach the library.
    EXPECT_EQ(vb::CStr(page.RemoveHtml("<p>流程<b>处理</b></p>")), "流程处理");
    Panel panel;
    panel.page = response->take_body();
    frames::PageCallbacks& frame = page;
    frame.winmenu();
    panel.bar = response->take_body();
    frame.showcontent();
    panel.content = response->take_body();
    panel.logged = log.entries();
    return panel;
  }

  static DemoDatabase* db_;
};
DemoDatabase* HandlingPanelTest::db_ = nullptr;

constexpr char kTodo[] = "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2";

TEST_F(HandlingPanelTest, PrivilegedUserGetsTheApprovalButton) {
  const Panel p = open(kTodo, "wujiu");  // a to-do entry of kind T
  EXPECT_TRUE(p.bar_has("TQMain.asp"));
  EXPECT_TRUE(p.bar_has("<input type=hidden id=isteQuan name=isteQuan value=\"1\">"));
  EXPECT_TRUE(p.logged.empty());
}

TEST_F(HandlingPanelTest, EveryScriptOfEveryBodyKindParses) {
  for (const char* kind : {"1", "2", "3"}) {
    db_->exec(std::string("update OA_Flow_BiaoDan set ZhengWenType='") + kind + "' where OAID=1");
    const Panel p = open(kTodo);
    EXPECT_TRUE(p.logged.empty()) << kind;
    EXPECT_EQ(p.page.find("function Load()") != std::string::npos, kind == std::string("1"));
    test_support::expect_javascript_parses(p.page + p.bar + p.content);
  }
  db_->exec("update OA_Flow_BiaoDan set ZhengWenType='2' where OAID=1");
}

}  // namespace
}  // namespace page_test
