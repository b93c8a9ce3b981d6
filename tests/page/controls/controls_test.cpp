// The text and picker controls, the plain text input of the other types, and the choice of the
// control by the field type.
#include <gtest/gtest.h>

#include <string>

#include "page/controls/controls_fixture.h"

namespace page_test {
namespace {

const std::string kOpening =
    "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP>";
const std::string kOpeningSpaced =
    "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP >";
const std::string kIconCell = "</TD><TD NOWRAP align=center width=20>";
const std::string kEnd = "</TD></TR></TABLE>";

struct TypeCase {
  const char* type;
  vb::Variant value;
  std::string html;  // the control of field 40 of that type
};

class ControlByTypeTest : public ControlTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(ControlByTypeTest, WritesTheTypesControl) {
  session_->operator[]("UserName") = "zhang'<";
  p.HiddenValue = "k'1";
  add_field(40, GetParam().type);
  EXPECT_EQ(control(40, GetParam().value), GetParam().html);
}

std::string input(const std::string& opening, const std::string& type, const std::string& value) {
  return opening + "40' name='zd40" + attributes(type) + "'    value='" + value + "'>";
}
// The plain text input, and the user picker, of field 40.
std::string plain(const std::string& type, const std::string& value) {
  return input("<input style='width:99%'  type=text id='zd", type, value);
}
std::string user_picker(const std::string& value) {
  return kOpening + input("<input  style='width:99%' type=text id='zd", "选择用户型", value) +
         kIconCell +
         "<img title='选择用户' style='cursor:hand' src='../include/imagesV10/UFF.gif' "
         "onclick=\"vbscript:mySlectUser('zd40')\">" +
         kEnd;
}

INSTANTIATE_TEST_SUITE_P(
    Types, ControlByTypeTest,
    ::testing::Values(TypeCase{"签字型", vb::Null,
                               kOpening + "</TD></TR><input type=hidden  id=zd40 name=zd40 "
                                          "value='zhang&#39;&lt;'></TR></TABLE>"},
                      TypeCase{"选择用户型", vb::Null, user_picker("")},
                      TypeCase{"备注型", vb::Null,
                               "<textarea style='WIDTH: 99%; HEIGHT: 100%' id='zd40' name='zd40" +
                                   attributes("备注型") + "' ></textarea>"},
                      TypeCase{"流水号型", "",
                               input("<input style='width:99%'  type=text readonly id='zd",
                                     "流水号型", "")},
                      TypeCase{"电子邮件型", vb::Null, plain("电子邮件型", "")},
                      TypeCase{"", "x", plain("", "x")},
                      TypeCase{"日期时间型 ", "x", plain("日期时间型 ", "x")}));

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

struct CalendarCase {
  const char* flags;  // "FieldHasDate, FieldHasTime, RiQiGeShi, ShiJianGeShi" as assignments
  const char* format;
};

class CalendarFormatTest : public ControlTest,
                           public ::testing::WithParamInterface<CalendarCase> {};

TEST_P(CalendarFormatTest, JoinsTheDateAndTimeFormats) {
  add_field(42, "日期时间型", GetParam().flags);
  const std::string html = control(42, "");
  const std::string call =
      std::string("showCalendarFormID('webform','zd42','") + GetParam().format + "', '24')";
  EXPECT_NE(html.find(call), std::string::npos) << html;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CalendarFormatTest,
    ::testing::Values(
        CalendarCase{"FieldHasDate = '0', FieldHasTime = '0', RiQiGeShi = '%Y', ShiJianGeShi = "
                     "'%H'",
                     ""},
        CalendarCase{"FieldHasDate = '1', FieldHasTime = '1'", "%Y-%m-%d %H:%M"},
        CalendarCase{"FieldHasDate = '1', FieldHasTime = '1', RiQiGeShi = NULL, ShiJianGeShi = "
                     "NULL",
                     "%Y-%m-%d %H:%M"},
        CalendarCase{"FieldHasTime = '1'", " %H:%M"},
        CalendarCase{"FieldHasDate = '1', FieldHasTime = '1', ShiJianGeShi = '%H'", "%Y-%m-%d%H"},
        CalendarCase{"FieldHasDate = '1', RiQiGeShi = '%Y年%m月%d日'", "%Y年%m月%d日"},
        CalendarCase{"FieldHasDate = '1', RiQiGeShi = '今天', FieldHasTime = '1', ShiJianGeShi "
                     "= 'x'",
                     "今天x"},
        CalendarCase{"FieldHasDate = '1', RiQiGeShi = 'd''m'", "d\\&#39;m"}));

TEST_F(ControlTest, TheCalendarAttributesKeepTheRawFormatColumns) {
  add_field(42, "日期时间型", "FieldHasDate = '1', FieldHasTime = '1', ShiJianGeShi = '%H'");
  const std::string html = control(42, "");
  EXPECT_NE(html.find("FieldHasTime='1'   FieldHasDate='1'"), std::string::npos);
  EXPECT_NE(html.find("RiQiGeShi=''   ShiJianGeShi='%H'"), std::string::npos);
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
