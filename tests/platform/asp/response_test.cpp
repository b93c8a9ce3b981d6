// Response: the body written as text, in order.
#include "platform/asp/response.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

TEST(Response, WritesPiecesInOrderAsTextAndNullOrEmptyAsNothing) {
  Response r;
  r.write(" <script language=javascript>\r\n");
  r.write(vb::Variant("\t\t中文"));
  r.write(std::string("|"));
  r.write(vb::Variant(12));
  r.write(vb::Variant(true));
  r.write(vb::Variant(2.5));
  r.write(vb::Variant());
  r.write(vb::Variant(vb::Null));
  r.write(std::string_view("|"));
  r.write(vb::Variant(vb::Date{40788.0}));
  EXPECT_EQ(r.body(), " <script language=javascript>\r\n\t\t中文|12True2.5|2011-9-2");
}

}  // namespace
}  // namespace platform::asp
