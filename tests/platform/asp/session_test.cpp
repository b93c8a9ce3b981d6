// Session: values by key in any case, listed under their first spelling.
#include "platform/asp/session.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

TEST(Session, KeysIgnoreLetterCaseAndItemsListThemSortedUnderTheFirstSpelling) {
  Session s;
  EXPECT_TRUE(s.get("UserName").is_empty());
  EXPECT_TRUE(s.items().empty());  // get never creates a key
  s["_userId"] = 7;
  s["UserName"] = "zhang";
  s["isAdmin"] = "TRUE";
  s["username"] = "li";
  s["OpenerCanClose"];  // operator[] does
  EXPECT_EQ(s.get("USERNAME"), "li");
  std::vector<std::string> keys;
  for (const auto& item : s.items()) keys.push_back(item.first);
  EXPECT_EQ(keys, (std::vector<std::string>{"OpenerCanClose", "UserName", "_userId", "isAdmin"}));
}

}  // namespace
}  // namespace platform::asp
