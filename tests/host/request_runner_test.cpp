// One request through the page object: what the runner hands in and what it hands back.
#include "host/request_runner.h"

#include <gtest/gtest.h>

#include "platform/config/config.h"
#include "support/page_fixture.h"

namespace host {
namespace {

class RequestRunnerTest : public page_test::PageTest {};

TEST_F(RequestRunnerTest, ReturnsTheBodyExpiryAndTheSessionAsThePageLeftThem) {
  db_.exec("insert into OA_AnQuan(TimeOut) values(30)");
  Rendered rendered = render("");
  EXPECT_TRUE(rendered.body.starts_with(page_test::kWindowLines)) << rendered.body;
  EXPECT_NE(rendered.body.find(page_test::kHeadEnd), std::string::npos);
  EXPECT_EQ(rendered.expires, 0L);
  EXPECT_EQ(rendered.session->CodePage, 936);
  EXPECT_EQ(rendered.session->TimeOut, 30);
  EXPECT_TRUE(rendered.session->get("UserName") == "zhang");
  EXPECT_TRUE(rendered.application->get("KELDBConnectString") == db_.connect());
  EXPECT_EQ(rendered.event_log, std::vector<std::string>{});
}

TEST_F(RequestRunnerTest, AnApplicationAndASessionCanBeFollowedOverRequests) {
  RenderOptions first = options();
  Rendered one = render(first);
  const long components = platform::config::ConfigComponent::created_for_test();

  RenderOptions second = options();
  second.connect = "";  // the cached connection string must serve
  second.application = one.application;
  second.session = one.session;
  second.session_values = {{"TureName", "李四"}};
  Rendered two = render(second);
  EXPECT_EQ(platform::config::ConfigComponent::created_for_test(), components);
  EXPECT_EQ(two.event_log, std::vector<std::string>{});
  EXPECT_EQ(two.session, one.session);
  EXPECT_TRUE(two.session->get("UserName") == "zhang");
  EXPECT_TRUE(two.session->get("TureName") == "李四");
}

TEST_F(RequestRunnerTest, RecordsTheEntriesOfTheEventLog) {
  RenderOptions o = options();
  o.connect = "Provider=SQLite;Data Source=/nonexistent-folder/none.db";
  Rendered rendered = render(o);
  ASSERT_EQ(rendered.event_log.size(), 1u);
  EXPECT_TRUE(rendered.event_log[0].starts_with("-2147467259 unable to open database file LINE #"))
      << rendered.event_log[0];
  EXPECT_TRUE(rendered.event_log[0].ends_with(" Routine : qmflobiaodantianx.qmdb_connI_init"));
  EXPECT_TRUE(rendered.body.starts_with(" Error unable to open database file LINE"));
}

TEST_F(RequestRunnerTest, WritesToTheEventLogItIsGiven) {
  RenderOptions o = options();
  o.connect = "Provider=SQLite;Data Source=/nonexistent-folder/none.db";
  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  o.event_log = log;
  Rendered rendered = render(o);
  EXPECT_EQ(rendered.event_log, std::vector<std::string>{});
  EXPECT_EQ(log->entries().size(), 1u);
}

}  // namespace
}  // namespace host
