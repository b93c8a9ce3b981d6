// One request through the page object: what the runner hands in and what it hands back.
#include "host/request_runner.h"

#include <gtest/gtest.h>

#include "support/page_fixture.h"

namespace host {
namespace {

class RequestRunnerTest : public page_test::PageTest {};

TEST_F(RequestRunnerTest, AnApplicationAndASessionCanBeFollowedOverRequests) {
  db_.exec("insert into OA_AnQuan(TimeOut) values(30)");
  Rendered one = render("");
  EXPECT_EQ(one.session->TimeOut, 30);
  EXPECT_EQ(one.event_log, std::vector<std::string>{});

  RenderOptions second = options();
  second.connect = "";  // the connection string the application cached must serve
  second.application = one.application;
  second.session = one.session;
  second.session_values = {{"TureName", "李四"}};
  Rendered two = render(second);
  EXPECT_EQ(two.event_log, std::vector<std::string>{});
  EXPECT_EQ(two.session, one.session);
  EXPECT_TRUE(two.session->get("UserName") == "zhang");
  EXPECT_TRUE(two.session->get("TureName") == "李四");
}

TEST_F(RequestRunnerTest, EntriesGoToTheGivenEventLogElseIntoTheResult) {
  RenderOptions o = options();
  o.connect = "Provider=SQLite;Data Source=/nonexistent-folder/none.db";
  Rendered recorded = render(o);
  ASSERT_EQ(recorded.event_log.size(), 1u);
  EXPECT_TRUE(recorded.event_log[0].starts_with("-2147467259 unable to open database file LINE #"))
      << recorded.event_log[0];

  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  o.event_log = log;
  EXPECT_EQ(render(o).event_log, std::vector<std::string>{});
  EXPECT_EQ(log->entries(), recorded.event_log);
}

}  // namespace
}  // namespace host
