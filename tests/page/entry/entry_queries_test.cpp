// The request's record keys: whatever form of a whole number the request writes, the page is
// the one of the key's plain digits, its to-do rows, addresses and stored rows included.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "page/fields/field_fixture.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class RequestKeysTest : public FieldTest {
 protected:
  // "" when both pages are the same, else what each has where they first differ.
  static std::string difference(const std::string& page, const std::string& expected) {
    const auto at = std::mismatch(page.begin(), page.end(), expected.begin(), expected.end());
    if (at.first == page.end() && at.second == expected.end()) return "";
    const auto from = static_cast<std::size_t>(at.first - page.begin());
    return "at " + std::to_string(from) + ": \"" + page.substr(from, 60) + "\" instead of \"" +
           expected.substr(from, 60) + "\"";
  }
};

// zhang is only consulted (沟通) on record 3 at node 2, which lets its handler edit both fields:
// he gets no control. Matched as text, "03" found no to-do row of his and gave him the node's
// controls; "&O2" (octal 2) and "7 " lost the record's rows.
TEST_F(RequestKeysTest, EveryFormOfAKeyGivesThePageOfItsDigits) {
  form("{1:a}|{2:b}|{%2%}", {"A", "B"}, "-2,1,2,", "-2,1,2,");
  field(1, "A", "'单行文本型'");
  field(2, "B", "'意见型'");
  record(", A, B", ", 'a<&\"x\"', 'b'");
  db_.exec("update OA_DaiBan_LiuCheng set BanLiType = '1'");
  db_.exec(
      "insert into OA_Flow_YiJian (BiaoDanID, BiaoDanRecordID, FieldID, YiJian, UserName) "
      "values ('7', '3', '2', '同意', 'li')");
  handled_at(1);

  host::RenderOptions o = field_options();
  o.query = "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2";
  const std::string page = render(o).body;
  ASSERT_THAT(filled(page), HasSubstr("a&lt;&amp;&quot;x&quot;|<TABLE"));
  ASSERT_THAT(filled(page), HasSubstr(">同意<"));
  EXPECT_THAT(page, Not(HasSubstr("name=zd1"))) << "a consulted handler edits nothing";

  for (const char* query : {"BiaoDanID=7&BiaoDanRecordID=03&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=3%20&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=3.0&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=%2B3&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=%26H3&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=002",
                            "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=%26O2",
                            "BiaoDanID=7%20&BiaoDanRecordID=3&JieDianID=2",
                            "BiaoDanID=7e0&BiaoDanRecordID=3&JieDianID=2"}) {
    o.query = query;
    EXPECT_EQ(difference(render(o).body, page), "") << query;
  }
}

}  // namespace
}  // namespace page_test
