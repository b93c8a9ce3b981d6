// A form the designer changes while the host runs: the next page from the same pooled database
// session shows the field added to it, with its stored value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/fields/field_fixture.h"
#include "platform/ado/pool.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class LiveFormTest : public FieldTest {};

TEST_F(LiveFormTest, AFieldAddedToALiveFormShowsOnTheNextPageOfTheSameSession) {
  form("<p>{1:a}|{2:b}</p>", {"A", "B"}, "-2,1,2,3,", "-2,1,2,3,");
  field(1, "A", "'单行文本型'");
  field(2, "B", "'单行文本型'");
  record(", A, B", ", '甲', '乙'");
  handled_at(1);
  render_todo();  // the session that reads the form is pooled, its statements cached
  const std::size_t opened = platform::ado::ConnectionPool::instance().opened();
  const host::Rendered before = render_todo();
  EXPECT_THAT(filled(before.body), HasSubstr("value='乙'>"));
  EXPECT_THAT(filled(before.body), Not(HasSubstr("zd3")));

  // What the designer writes when it adds field 3 to the form and the record gets its value.
  db_.exec("ALTER TABLE OA_FLOW_7_Main ADD COLUMN C TEXT");
  field(3, "C", "'单行文本型'");
  db_.exec("update OA_Flow_BiaoDan set BiaoDanCSS = '<p>{1:a}|{2:b}|{3:c}</p>' where OAID = 7");
  db_.exec("update OA_FLOW_7_Main set C = '<&\"''</script' || char(13, 10) || '<!--<script'");

  const host::Rendered after = render_todo();
  EXPECT_EQ(platform::ado::ConnectionPool::instance().opened(), opened) << "a pooled session";
  EXPECT_THAT(after.event_log, IsEmpty());
  EXPECT_THAT(after.body, Not(HasSubstr(" Error ")));
  const std::string page = filled(after.body);
  EXPECT_THAT(page, HasSubstr("value='乙'>"));
  EXPECT_THAT(page, HasSubstr("id='zd3'"));
  EXPECT_THAT(page, HasSubstr("value='&lt;&amp;&quot;&#39;&lt;/script\r\n&lt;!--&lt;script'>"));
}

}  // namespace
}  // namespace page_test
