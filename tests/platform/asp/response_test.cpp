// Response: the body written as text, in order.
#include "platform/asp/response.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

TEST(Response, WritesPiecesInOrderAsTextAndNullOrEmptyAsNothing) {
  Response r;
  r.write(" <script language=javascript>\r\n");
  r.write(vb::Variant(12));
  r.write(vb::Variant());
  r.write(vb::Variant(vb::Null));
  r.write(std::string_view("</script>&\"<!--中文"));
  EXPECT_EQ(r.body(), " <script language=javascript>\r\n12</script>&\"<!--中文");
}

}  // namespace
}  // namespace platform::asp
