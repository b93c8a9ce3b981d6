// The sibling pages that Server.Execute runs.
#include "host/sibling_pages.h"

#include <gtest/gtest.h>

#include "platform/asp/object_context.h"
#include "support/vb_matchers.h"

namespace host {
namespace {

class SiblingPagesTest : public ::testing::Test {
 protected:
  std::shared_ptr<platform::asp::Server> server_ =
      std::make_shared<platform::asp::Server>(".", "/flow", sibling_pages());
  std::shared_ptr<platform::asp::Session> session_ = std::make_shared<platform::asp::Session>();
  std::shared_ptr<platform::asp::Response> response_ = std::make_shared<platform::asp::Response>();
  platform::asp::ObjectContext context_{server_, std::make_shared<platform::asp::Application>(),
                                        session_, std::make_shared<platform::asp::Request>(),
                                        response_};
};

TEST_F(SiblingPagesTest, OnlyExecuteFlowIsThereAndLeavesReturnStringAsItFindsIt) {
  (*session_)["ReturnString"] = "";
  (*session_)["CurrentExecuteMethod"] = "BIAODANDEFAULTVALUE";
  (*session_)["ExecuteString"] = "<%=Date()%>";
  server_->Execute("ExecuteFlow.asp");
  server_->Execute("executeflow.ASP");
  EXPECT_TRUE(session_->get("ReturnString") == "");
  EXPECT_TRUE(session_->get("ExecuteString") == "<%=Date()%>");
  EXPECT_EQ(session_->items().size(), 3u);
  EXPECT_EQ(response_->body(), "");
  // Other pages are not there.
  EXPECT_VB_ERROR_TEXT(-2147467259, "The call to Server.Execute failed while loading the page.",
                       server_->Execute("BiaoDanTianXieDo.asp"));
}

}  // namespace
}  // namespace host
