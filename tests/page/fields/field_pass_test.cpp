// The field pass on whole pages: hidden fields, system placeholders, stored values in place of
// defaults, the replacement of every occurrence, and templates that are odd or large.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "library/error_lines.h"
#include "page/fields/field_fixture.h"

namespace page_test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

// The page with each plain text input written as [key:value]; the golden pages hold its markup.
std::string inputs(const std::string& page) {
  static const std::regex input(
      "<input style='width:99%'  type=text id='zd(\\w+)' [^>]*FieldNameDis='[^']*'    "
      "value='([^']*)'>");
  return std::regex_replace(page, input, "[$1:$2]");
}

class FieldPassTest : public FieldTest {};

TEST_F(FieldPassTest, AHiddenFieldIsBlankedForEveryUserItsListDoesNotName) {
  struct Case {
    const char* UserNames;  // SQL literal
    const char* user;
    bool shown;
  } cases[] = {
      {"';wang;zhang;'", "zhang", true},
      {"';ZHANG;'", "zhang", true},  // letter case ignored, as the database compares
      {"';wang;'", "zhang", false},
      {"''", "zhang", false},
      {"NULL", "zhang", true},  // a Null list is no list: it hides the field from nobody
      {"';u2;'", "u_", false},   // "_" in a login name is no wildcard
      {"';u%;'", "u2", false},
  };
  form("<p>{1:甲} {2:乙}</p>");
  field(2, "B", "'单行文本型'");
  for (const Case& c : cases) {
    db_.exec("delete from OA_Flow_BiaoDan_Fields where OAID=1");
    field(1, "A", "'单行文本型'", ", isyincang, UserNames", std::string(", '1', ") + c.UserNames);
    host::RenderOptions o = field_options();
    o.query = "LiuChengID=5";
    o.session_values[0].second = c.user;
    EXPECT_EQ(inputs(filled(render(o).body)), c.shown ? "<p>[1:] [2:]</p>" : "<p>&nbsp; [2:]</p>")
        << c.UserNames << " " << c.user;
  }
}

TEST_F(FieldPassTest, ANewRecordShowsTheTitleDefaultAndNoOtherSystemValue) {
  form("{_1:a}|{_2:b}|{_3:c}|{_4:d}|{_5:e}|{_6:f}", {}, "-1,-2,-3,-4,-5,-6,");
  EXPECT_EQ(filled(render_new_flow().body),
            "&nbsp;|<input type=text name='zd_2' id='zd_2'  style='width:99%' "
            "value='请假流程（张三, 2011-09-02 14:07）'>|&nbsp;|&nbsp;|&nbsp;|&nbsp;");
}

TEST_F(FieldPassTest, AFieldNoHandlingNodeCouldEditShowsItsDefaultOrNothing) {
  form("{1:g}|{3:i}", {"A", "C"}, "-2,", "-2,1,");
  field(1, "A", "'单行文本型'", ", DefaultValue", ", '默认1'");
  field(3, "C", "'单行文本型'", ", DefaultValue", ", '默认3'");
  record(", A, C", ", '甲', '丙'");
  handled_at(1);
  EXPECT_EQ(inputs(filled(render_todo().body)), "[1:默认1]|&nbsp;");
}

TEST_F(FieldPassTest, ALookUpWithoutStoredValuePostsNoKeyOfTheOneBefore) {
  // Field 1 was filled at node 1 and holds key 17; field 2 is new at node 2.
  form("{1:a}|{2:b}", {"A", "Avalue", "B", "Bvalue"}, "-2,1,", "-2,1,2,");
  field(1, "A", "'查询型'");
  field(2, "B", "'查询型'");
  record(", A, Avalue", ", '华信', '17'");
  handled_at(1);
  const std::string page = filled(render_todo().body);
  EXPECT_THAT(page, HasSubstr("id='zd1value' value='17'>"));
  EXPECT_THAT(page, HasSubstr("id='zd2value' value=''>"));
}

TEST_F(FieldPassTest, EveryOccurrenceIsReplacedAndAKeyWithoutRowStaysWhereEditable) {
  form("{1:a}{1:a}|{9:x}|{8:y}|{5a:z}|{color:red}", {"A"}, "-2,1,9,5a,");
  field(1, "A", "'单行文本型'");
  EXPECT_EQ(inputs(filled(render_new_flow().body)), "[1:][1:]|{9:x}|&nbsp;|{5a:z}|&nbsp;");
}

TEST_F(FieldPassTest, UnclosedPlaceholdersAndReferencesStayAsWritten) {
  const std::string odd = "{1:a\r\n}|{%1\r\n%}|{@3 b|{% x|{\r\n";
  form(odd + "|{1:a}");
  field(1, "A", "'单行文本型'");
  EXPECT_EQ(inputs(filled(render_new_flow().body)), odd + "|[1:]");
}

TEST_F(FieldPassTest, UnknownNullAndLinkTypesGetThePlainTextInput) {
  form("{1:a}{2:b}{3:c}", {"A", "B", "C"});
  field(1, "A", "'奇怪型'");
  field(2, "B", "NULL");
  field(3, "C", "'超链接型'");
  EXPECT_EQ(inputs(filled(render_new_flow().body)), "[1:][2:][3:]");
}

// A reference lands wherever the template put it, as text or inside an attribute the template
// wrote, and never in a value: a stored "{%2%}" shows as typed. A key with blanks names its
// field; a field whose column the record table lacks gives nothing, as a key without a field
// does; a hidden field gives nothing unless its list is Null, which hides it from nobody.
TEST_F(FieldPassTest, AReferenceIsEncodedWhereverTheTemplateWroteIt) {
  form("{1:a}|{%2%}|<b title='{% 2 %}'>|{%3%}|{%4%}|{%5%}|{%6%}", {"A", "B", "E", "F"}, "-2,1,",
       "-2,1,");
  field(1, "A", "'单行文本型'");
  field(2, "B", "'单行文本型'");
  field(3, "Gone", "'单行文本型'");
  field(5, "E", "'单行文本型'", ", isyincang, UserNames", ", '1', NULL");
  field(6, "F", "'单行文本型'", ", isyincang, UserNames", ", '1', ''");
  record(", A, B, E, F",
         ", '{%2%}', 'x'' onfocus=''alert(1)'' autofocus=''<b>&amp;', 'e<', 'f'");
  handled_at(1);
  const std::string value = "x&#39; onfocus=&#39;alert(1)&#39; autofocus=&#39;&lt;b&gt;&amp;amp;";
  EXPECT_EQ(inputs(filled(render_todo().body)),
            "[1:{%2%}]|" + value + "|<b title='" + value + "'>|||e&lt;|");
}

// A reference the designer wrote into a field's default is filled with the raw stored value,
// which the control encodes as it encodes the rest (already encoded inside a rich text, whose
// value is markup); a hidden field's stays "".
TEST_F(FieldPassTest, AReferenceInADefaultTheDesignerWroteIsFilled) {
  form("{1:a}|{2:b}|{4:d}", {"A", "B", "C", "D"}, "-2,", "-2,1,4,");
  field(1, "A", "'单行文本型'", ", DefaultValue", ", '合计{%2%}元{%3%}'");
  field(2, "B", "'单行文本型'");
  field(3, "C", "'单行文本型'", ", isyincang, UserNames", ", '1', ';wang;'");
  field(4, "D", "'HTML编辑器型'", ", DefaultValue", ", '<p>{%2%}</p>'");
  record(", A, B, C, D", ", 'a', 'x''<b>', 'secret', 'd'");
  handled_at(1);
  const std::string page = filled(render_todo().body);
  EXPECT_THAT(inputs(page), ::testing::StartsWith("[1:合计x&#39;&lt;b&gt;元]|&nbsp;|"));
  EXPECT_THAT(page, HasSubstr(">&lt;p&gt;x&amp;#39;&amp;lt;b&amp;gt;&lt;/p&gt;</TEXTAREA>"));
}

// Markup a field holds by design reaches the page byte for byte, its style blocks and any text
// that looks like a placeholder included; the placeholders the template wrote are filled.
TEST_F(FieldPassTest, AMarkupValueIsWrittenByteForByte) {
  const std::string markup = "<style>p{color:red}</style><p>{2:b}{%2%}$1:t$</p>";
  form("{1:a}|{2:b}|{%2%}", {"A", "B"}, "-2,1,2,", "-2,");
  field(1, "A", "'HTML编辑器型'");
  field(2, "B", "'单行文本型'");
  record(", A, B", ", '" + markup + "', 'b'");
  handled_at(1);
  EXPECT_EQ(filled(render_todo().body), markup + "|b|b");
}

TEST_F(FieldPassTest, AFailingDefaultQueryEndsThePageThroughTheErrorConvention) {
  form("{1:a}<p>after</p>");
  field(1, "A", "'单行文本型'", ", DefaultValueType, ZiDianCode, DefaultValue",
        ", '2', '0', 'select x from nowhere'");
  const host::Rendered r = render_new_flow();
  ASSERT_EQ(r.event_log.size(), 1u) << r.body;
  EXPECT_THAT(r.event_log[0], ::testing::StartsWith("-2147217900 "));
  EXPECT_THAT(r.event_log[0], EndsWith(" Routine : qmflobiaodantianx.I_init"));
  EXPECT_THAT(r.body, EndsWith(" Routine : qmflobiaodantianx.I_init"));
  EXPECT_THAT(r.body, Not(HasSubstr("<form action")));
  // The line names the statement in the default-value step's own range of numbers.
  const auto at = r.body.rfind(" LINE");
  ASSERT_NE(at, std::string::npos);
  const long line = std::stol(r.body.substr(at + 5));
  EXPECT_EQ(library::line_range_start("page/fields/default_values.cpp"), line / 1000 * 1000);
}

// A server-script default goes to the sibling page through the session; a blank one leaves the
// session alone.
TEST_F(FieldPassTest, AServerScriptDefaultIsHandedToTheSiblingPageThroughTheSession) {
  form("{1:a}{2:b}", {"A", "B"});
  field(1, "A", "'单行文本型'", ", DefaultValueType, DefaultValue", ", 'a', '  '");
  host::RenderOptions o = field_options();
  o.query = "LiuChengID=5";
  o.session_values.emplace_back("ReturnString", "left over");
  host::Rendered r = render(o);
  EXPECT_EQ(inputs(filled(r.body)), "[1:]{2:b}");
  EXPECT_EQ(test_support::typed(r.session->get("ReturnString")), "String:left over");
  for (const char* key : {"CurrentExecuteMethod", "ExecuteString"}) {
    EXPECT_TRUE(vb::IsEmpty(r.session->get(key))) << key;
  }
  field(2, "B", "'单行文本型'", ", DefaultValueType, DefaultValue", ", 'a', ' Now() '");
  r = render(o);
  EXPECT_EQ(inputs(filled(r.body)), "[1:][2:]");
  EXPECT_EQ(test_support::typed(r.session->get("CurrentExecuteMethod")),
            "String:BIAODANDEFAULTVALUE");
  EXPECT_EQ(test_support::typed(r.session->get("ExecuteString")), "String: Now() ");
  EXPECT_EQ(test_support::typed(r.session->get("ReturnString")), "String:");
}

}  // namespace
}  // namespace page_test
