#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "page/qmflobiaodantianx.h"
#include "platform/asp/object_context.h"
#include "platform/config/config.h"
#include "support/page_fixture.h"

namespace page {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr char kRedirect[] =
    " <script language=javascript>\r\n"
    "\t\ttop.location.href = \"http://oa.example/login.asp\";\r\n"
    "\t</script>\r\n"
    "\t";
constexpr char kFirstLine[] = "<HTML XMLNS:MyPad><HEAD>\r\n";

class EntryTest : public page_test::PageTest {};

TEST_F(EntryTest, TheSetUpLinesComeBeforeThePagesFirstLine) {
  const host::Rendered r = render("");
  EXPECT_THAT(r.body, StartsWith(std::string(page_test::kWindowLines) + kFirstLine));
  EXPECT_EQ(r.expires, 0);
  EXPECT_EQ(r.session->CodePage, 936);
}

TEST_F(EntryTest, ARequestWithoutUserNameStartsWithTheLoginRedirectAndGoesOn) {
  host::RenderOptions o = options();
  o.session_values = {{"SystemURL", page_test::kSystemUrl}};
  o.application_values = {{"SendrixOAURL", "http://oa.example/"}};
  const host::Rendered r = render(o);
  EXPECT_THAT(r.body, StartsWith(std::string(kRedirect) + page_test::kWindowLines + kFirstLine));
}

TEST_F(EntryTest, TheSessionTimeOutComesFromTheSecuritySettings) {
  EXPECT_EQ(render("").session->TimeOut, 45);
  db_.exec("insert into OA_AnQuan (TimeOut) values (20)");
  EXPECT_EQ(render("").session->TimeOut, 20);
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
  o.session_values.erase(o.session_values.begin());  // no UserName: yet no redirect follows
  const host::Rendered r = render(o);

  ASSERT_FALSE(r.event_log.empty());
  const std::string& entry = r.event_log.front();
  const std::string routine = " Routine : qmflobiaodantianx.qmdb_connI_init";
  ASSERT_THAT(entry, StartsWith("-2147467259 "));
  ASSERT_EQ(entry.substr(entry.size() - routine.size()), routine);
  // The page text carries the same description and line: "<n> <d> LINE #<l>" -> " Error <d>
  // LINE<l>".
  std::string text = entry.substr(std::string("-2147467259").size());
  text.replace(text.find(" LINE #"), 7, " LINE");
  EXPECT_THAT(r.body, StartsWith(" Error" + text + page_test::kWindowLines + kFirstLine));
  EXPECT_EQ(r.session->TimeOut, 20);  // the session's own value: the step was not reached
}

// The page object driven as the host drives it, without the runner.
class PageObjectTest : public ::testing::Test {
 protected:
  PageObjectTest()
      : context_(std::make_shared<platform::asp::Server>(
                     ".", "/flow", std::make_shared<const platform::asp::SiblingPages>()),
                 std::make_shared<platform::asp::Application>(),
                 std::make_shared<platform::asp::Session>(),
                 std::make_shared<platform::asp::Request>(), response_),
        page_(context_, log_) {
    context_.application().set("KELDBConnectString", vb::Variant(db_.connect()));
    context_.session()["UserName"] = "zhang";
  }

  page_test::TempDatabase db_;
  std::shared_ptr<platform::asp::Response> response_ = std::make_shared<platform::asp::Response>();
  platform::eventlog::RecordingEventLog log_;
  platform::asp::ObjectContext context_;
  qmflobiaodantianx page_;
};

TEST_F(PageObjectTest, OnEndPageWritesNothingBeforeOrAfterTheRequest) {
  page_.OnEndPage();
  EXPECT_EQ(response_->body(), "");
  page_.I_init();
  const std::string written = response_->body();
  page_.OnEndPage();
  EXPECT_EQ(response_->body(), written);
  EXPECT_THAT(written, StartsWith("<meta http-equiv="));
}

TEST_F(PageObjectTest, TheLibraryRoutinesCanBeCalledAgainThroughTheirSlots) {
  page_.I_init();
  const std::string written = response_->body();
  page_.qmqmfunctionI_init();
  page_.qmincfunctionzidiI_init();
  page_.qmincfunctiondbI_init();
  EXPECT_EQ(response_->body(), written);
  EXPECT_TRUE(log_.entries().empty());
}

TEST_F(PageObjectTest, RemoveHtmlStripsTags) {
  page_.I_init();
  EXPECT_TRUE(page_.RemoveHtml("<p>流程<b>处理</b></p>") == "流程处理");
}

}  // namespace
}  // namespace page
