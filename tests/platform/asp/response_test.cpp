#include "platform/asp/response.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

TEST(Response, WritesPiecesInOrderAsText) {
  Response r;
  r.write(" <script language=javascript>\r\n");
  r.write(vb::Variant("\t\t中文"));
  r.write(std::string("|"));
  r.write(vb::Variant(12));
  r.write(vb::Variant(true));
  r.write(vb::Variant(2.5));
  r.write(std::string_view("|"));
  r.write(vb::Variant(vb::Date{40788.0}));
  EXPECT_EQ(r.body(), " <script language=javascript>\r\n\t\t中文|12True2.5|2011-9-2");
}

TEST(Response, NullAndEmptyWriteNothing) {
  Response r;
  r.write(vb::Variant());
  r.write(vb::Variant(vb::Null));
  r.write("");
  EXPECT_EQ(r.body(), "");
}

TEST(Response, ExpiresIsUnsetUntilThePageSetsIt) {
  Response r;
  EXPECT_FALSE(r.Expires.has_value());
  r.Expires = 0;
  EXPECT_EQ(r.Expires, 0);
}

}  // namespace
}  // namespace platform::asp
