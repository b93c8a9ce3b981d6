// One request through the page object: what the runner hands in and what it hands back.
#include "host/request_runner.h"

#include <gtest/gtest.h>

#include "support/page_fixture.h"

namespace host {
namespace {

class RequestRunnerTest : public page_test::PageTest {};

// A session handed in is the one the page works on, with the given values added.
TEST_F(RequestRunnerTest, ASessionCanBeFollowedOverRequests) {
  Rendered one = render("");
  RenderOptions second = options();
  second.session = one.session;
  second.session_values = {{"TureName", "李四"}};
  Rendered two = render(second);
  EXPECT_EQ(two.event_log, std::vector<std::string>{});
  EXPECT_EQ(two.session, one.session);
  EXPECT_TRUE(two.session->get("UserName") == "zhang");
  EXPECT_TRUE(two.session->get("TureName") == "李四");
}

}  // namespace
}  // namespace host
