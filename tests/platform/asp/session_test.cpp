#include "platform/asp/session.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

TEST(Session, ValuesByKeyIgnoringLetterCase) {
  Session s;
  s["UserName"] = "zhang";
  EXPECT_EQ(s.get("username"), "zhang");
  s["USERNAME"] = "li";
  EXPECT_EQ(s.get("UserName"), "li");
  EXPECT_TRUE(s.get("TureName").is_empty());
}

TEST(Session, ReadingWithGetNeverCreatesAKey) {
  Session s;
  s.get("ReturnString");
  EXPECT_TRUE(s.items().empty());
  s["ReturnString"];
  EXPECT_EQ(s.items().size(), 1u);
}

TEST(Session, ItemsSortedByteByByteUnderTheFirstSpelling) {
  Session s;
  s["_userId"] = 7;
  s["UserName"] = "zhang";
  s["isAdmin"] = "TRUE";
  s["username"] = "li";
  s["OpenerCanClose"] = true;
  const auto items = s.items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].first, "OpenerCanClose");
  EXPECT_EQ(items[1].first, "UserName");
  EXPECT_EQ(items[1].second, "li");
  EXPECT_EQ(items[2].first, "_userId");
  EXPECT_EQ(items[3].first, "isAdmin");
}

TEST(Session, PropertiesStartAtTheServerDefaults) {
  Session s;
  EXPECT_EQ(s.CodePage, 936);
  EXPECT_EQ(s.TimeOut, 20);
}

}  // namespace
}  // namespace platform::asp
