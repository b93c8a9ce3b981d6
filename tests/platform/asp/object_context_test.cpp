#include "platform/asp/object_context.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

class ObjectContextTest : public testing::Test {
 protected:
  std::shared_ptr<Server> server_ = std::make_shared<Server>("/srv", "/flow", nullptr);
  std::shared_ptr<Application> application_ = std::make_shared<Application>();
  std::shared_ptr<Session> session_ = std::make_shared<Session>();
  std::shared_ptr<Request> request_ = std::make_shared<Request>();
  std::shared_ptr<Response> response_ = std::make_shared<Response>();
  ObjectContext context_{server_, application_, session_, request_, response_};
};

TEST_F(ObjectContextTest, HandsOutTheFiveObjectsByName) {
  EXPECT_EQ(context_("Server").object(), server_);
  EXPECT_EQ(context_("Application").object(), application_);
  EXPECT_EQ(context_("Session").object(), session_);
  EXPECT_EQ(context_("Request").object(), request_);
  EXPECT_EQ(context_("response").object(), response_);
  EXPECT_EQ(context_.get<Session>("SESSION"), session_);
}

TEST_F(ObjectContextTest, UnknownNameOrWrongClassFails) {
  try {
    context_("ObjectContext");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 5);
  }
  try {
    context_.get<Response>("Request");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 13);
  }
}

}  // namespace
}  // namespace platform::asp
