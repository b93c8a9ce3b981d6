// The page's entry end to end: the login redirect and the database connection it opens.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "page/entry/phase_fixture.h"
#include "page/qmflobiaodantianx.h"
#include "platform/asp/object_context.h"
#include "platform/config/config.h"
#include "support/page_fixture.h"

namespace page {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr char kFirstLine[] = "<HTML XMLNS:MyPad><HEAD>\r\n";

using EntryTest = page_test::PageTest;
using RoadTest = page_test::PhaseTest;  // renders on a database with the to-do road

constexpr char kLoginRedirect[] =
    " <script language=javascript>\r\n"
    "\t\ttop.location.href = \"http://oa.example/login.asp\";\r\n"
    "\t</script>\r\n"
    "\t";

// Nobody logged in: the redirect and the set-up lines are the whole page, and no workflow
// table is read or written (the user '' would lose the notices of the record).
TEST_F(RoadTest, ARequestWithoutUserNameGetsTheLoginRedirectAndNothingMore) {
  add_todo_road();
  db_.exec("insert into OA_MSG (ID1, ID2, username) values ('7', '3', ''), ('7', '3', NULL)");
  for (const auto& session : std::vector<std::vector<std::pair<std::string, vb::Variant>>>{
           {{"SystemURL", page_test::kSystemUrl}},
           {{"UserName", ""}, {"SystemURL", page_test::kSystemUrl}}}) {
    host::RenderOptions o = options();
    o.session_values = session;
    o.application_values = {{"SendrixOAURL", "http://oa.example/"}};
    for (const char* query :
         {"", "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2", "LiuChengID=5&isStart=true"}) {
      o.query = query;
      const host::Rendered r = render(o);
      EXPECT_EQ(r.body, std::string(kLoginRedirect) + page_test::kWindowLines) << query;
      EXPECT_TRUE(r.event_log.empty()) << query;
    }
  }
  EXPECT_EQ(db_.scalar("select count(*) from OA_MSG"), "2");
}

TEST_F(EntryTest, TheConnectionStringIsCachedByTheFirstRequestOfTheApplication) {
  const long created_before = platform::config::ConfigComponent::created_for_test();
  host::RenderOptions first = options();
  first.application = std::make_shared<platform::asp::Application>();
  const host::Rendered r1 = render(first);
  EXPECT_EQ(platform::config::ConfigComponent::created_for_test(), created_before + 1);
  EXPECT_TRUE(r1.application->get("KELDBConnectString") == db_.connect());

  host::RenderOptions second = options();
  second.connect = "";  // the component would have nothing to give
  second.application = r1.application;
  const host::Rendered r2 = render(second);
  EXPECT_EQ(platform::config::ConfigComponent::created_for_test(), created_before + 1);
  EXPECT_THAT(r2.body, StartsWith(std::string(page_test::kWindowLines) + kFirstLine));
  EXPECT_THAT(r2.event_log, ::testing::Not(::testing::Contains(HasSubstr("qmdb_connI_init"))));
}

TEST_F(EntryTest, AConnectionThatCannotBeOpenedIsReportedAndThePageGoesOn) {
  host::RenderOptions o = options();
  o.connect = "Provider=SQLite;Data Source=" + testing::TempDir() + "no/such/dir.db";
  const host::Rendered r = render(o);

  // The log's "<number> <description> LINE #<n> Routine : ..." is " Error <description>
  // LINE<n> Routine : ..." in the page, and the page goes on.
  ASSERT_EQ(r.event_log.size(), 1u);
  std::string text = r.event_log.front();
  ASSERT_THAT(text, StartsWith("-2147467259 "));
  text.replace(0, std::string("-2147467259").size(), " Error");
  text.replace(text.find(" LINE #"), 7, " LINE");
  EXPECT_THAT(r.body, StartsWith(text + page_test::kWindowLines + kFirstLine));
  EXPECT_EQ(r.session->TimeOut, 20);  // the session's own value: the step was not reached
}

// The host's interface offers the library's text routine as a slot of the page object.
TEST(PageObject, TheRemoveHtmlSlotReachesTheLibrary) {
  platform::asp::ObjectContext context(std::make_shared<platform::asp::Server>(".", ".", nullptr),
                                       nullptr, nullptr, nullptr, nullptr);
  platform::eventlog::RecordingEventLog log;
  qmflobiaodantianx page(context, log);
  EXPECT_EQ(vb::CStr(page.RemoveHtml("<p>流程<b>处理</b></p>")), "流程处理");
}

}  // namespace
}  // namespace page
