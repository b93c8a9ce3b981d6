// The text and picker controls, the plain text input of the other types, and the choice of the
// control by the field type.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "page/controls/controls_fixture.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;

// The controls the demo pages do not show: the signer's name is escaped in the sign-off
// field, and a type that differs by a blank gets the plain input.
TEST_F(ControlTest, ControlsByType) {
  session_->operator[]("UserName") = "zhang'<";
  add_field(40, "签字型");
  EXPECT_NE(control(40, vb::Null)
                .find("<input type=hidden  id=zd40 name=zd40 "
                      "value='zhang&#39;&lt;'></TR></TABLE>"),
            std::string::npos);
  add_field(41, "日期时间型 ");
  EXPECT_EQ(control(41, "x"), "<input style='width:99%'  type=text id='zd41' name='zd41" +
                                  attributes("日期时间型 ") + "'    value='x'>");
}

// The pages show the whole control; the value is text in the textarea and markup in the span.
TEST_F(ControlTest, AnHtmlLookUpValueIsShownAsItIsAndKeptWithoutNbsp) {
  add_field(41, "查询型", "cxHTML = '1'");
  const std::string html = control(41, "<b>华信</b>&nbsp;电子</textarea>");
  EXPECT_NE(html.find("' >&lt;b&gt;华信&lt;/b&gt;电子&lt;/textarea&gt;</textarea><span "
                      "id='SPAN41'><b>华信</b>&nbsp;电子</textarea></span>"),
            std::string::npos)
      << html;
  EXPECT_NE(control(41, vb::Null).find("' ></textarea><span id='SPAN41'></span>"),
            std::string::npos);
}

// The calendar gets the formats its flags switch on, the defaults for blank or Null ones; the
// attributes keep the raw format columns.
TEST_F(ControlTest, TheCalendarJoinsTheDateAndTimeFormats) {
  const std::pair<const char*, const char*> cases[] = {
      {"RiQiGeShi = '%Y', ShiJianGeShi = '%H'", ""},
      {"FieldHasDate = '1', FieldHasTime = '1'", "%Y-%m-%d %H:%M"},
      {"FieldHasDate = '1', FieldHasTime = '1', RiQiGeShi = NULL, ShiJianGeShi = NULL",
       "%Y-%m-%d %H:%M"},
      {"FieldHasTime = '1'", " %H:%M"},
      {"FieldHasDate = '1', RiQiGeShi = 'd''m'", "d\\&#39;m"},
      {"FieldHasDate = '1', FieldHasTime = '1', ShiJianGeShi = '%H'", "%Y-%m-%d%H"},
  };
  long key = 50;
  std::string html;
  for (const auto& [flags, format] : cases) {
    add_field(key, "日期时间型", flags);
    html = control(key, "");
    EXPECT_THAT(html, HasSubstr("showCalendarFormID('webform','zd" + std::to_string(key++) + "','" +
                                format + "', '24')"));
  }
  EXPECT_THAT(html, HasSubstr("FieldHasTime='1'   FieldHasDate='1'"));
  EXPECT_THAT(html, HasSubstr("RiQiGeShi=''   ShiJianGeShi='%H'"));
}

TEST_F(ControlTest, TheDictionaryPickerPassesItsSwitchesEscaped) {
  add_field(43, "选择型", "FieldNameDis = '类''别\"', FieldCanEdit = '0', FieldIsDuoXuan = '1'");
  EXPECT_NE(control(43, "").find(
                "onclick=\"javascript:openZiDian('zd43', '类\\&#39;别\\&quot;','0','1')\">"),
            std::string::npos);
  EXPECT_EQ(typed(p.FieldIsDuoXuan), "String:1");
}

TEST_F(ControlTest, TheTitleInputAndAMissingFieldRow) {
  p.zdID = "_2";
  p.zdValue = "采购'单";
  ASSERT_TRUE(page::build_field_control(p));
  EXPECT_EQ(typed(p.strHTML),
            "String:<input type=text name='zd_2' id='zd_2'  style='width:99%' "
            "value='采购&#39;单'>");
  p.zdID = "99";
  p.strHTML = "";
  EXPECT_FALSE(page::build_field_control(p));
  EXPECT_EQ(typed(p.strHTML), "String:");
}

}  // namespace
}  // namespace page_test
