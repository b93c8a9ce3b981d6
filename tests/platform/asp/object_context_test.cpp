// ObjectContext: the five intrinsic objects of a request, by name.
#include "platform/asp/object_context.h"

#include <gtest/gtest.h>

#include "support/vb_matchers.h"

namespace platform::asp {
namespace {

TEST(ObjectContext, HandsOutTheFiveObjectsByNameInAnyCase) {
  auto server = std::make_shared<Server>("/srv", "/flow", nullptr);
  auto application = std::make_shared<Application>();
  auto session = std::make_shared<Session>();
  auto request = std::make_shared<Request>();
  auto response = std::make_shared<Response>();
  const ObjectContext context(server, application, session, request, response);
  EXPECT_EQ(context("response").object(), response);
  EXPECT_EQ(context.get<Session>("SESSION"), session);
  EXPECT_VB_ERROR(5, context("ObjectContext"));
  EXPECT_VB_ERROR(13, context.get<Response>("Request"));
}

}  // namespace
}  // namespace platform::asp
