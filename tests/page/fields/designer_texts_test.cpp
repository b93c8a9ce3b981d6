// The value references in the form designer's own texts that a control or a detail table
// writes into the form: each filled with the stored value, encoded as its place needs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/fields/field_fixture.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class DesignerTextsTest : public FieldTest {};

// Field 2 holds the hostile value, field 3 a reference typed as a value, field 9 is hidden from
// zhang. Every designer text refers to the three: "{%2%}|{%9%}|{%3%}".
TEST_F(DesignerTextsTest, AReferenceInEachDesignerTextShowsTheStoredValueEncodedForItsPlace) {
  // Its "*" would split a radio option filled before the split.
  const std::string hostile = "a<b & \"q\" 'q' * </script <!--<script\r\nz";
  const std::string refs = "{%2%}|{%9%}|{%3%}";
  // The stored value as the page encodes it for an attribute or element content, and for a
  // script string inside an attribute; the hidden field gives "", the typed reference stays.
  const std::string html =
      "a&lt;b &amp; &quot;q&quot; &#39;q&#39; * &lt;/script &lt;!--&lt;script\r\nz||{%2%}";
  const std::string script =
      "a\\x3Cb &amp; \\&quot;q\\&quot; \\&#39;q\\&#39; * \\x3C/script \\x3C!--\\x3Cscript\\r\\nz||"
      "{%2%}";

  form("{1:a}|{4:d}|{5:e}|{6:f}|{7:g}|{8:h}|{10:j}|{11:k}|$1:明细$",
       {"A", "B", "C", "D", "E", "F", "G", "M", "H", "J", "K", "QM名称"}, "-2,10,",
       "-2,1,4,5,6,7,8,11,");
  field(1, "A", "'单行文本型'", ", FieldCantNull", ", 'k1:" + refs + "'");
  field(2, "B", "'单行文本型'");
  field(3, "C", "'单行文本型'");
  field(4, "D", "'下拉列表型'", ", FieldXianDingChangDu", ", 'k2:" + refs + "'");
  field(5, "E", "'真假型'", ", DefaultValue", ", 'k3:" + refs + "*否'");
  field(6, "F", "'日期时间型'", ", FieldHasDate, RiQiGeShi", ", '1', 'k4:" + refs + "'");
  field(7, "G", "'选择型'", ", FieldCanEdit", ", 'k5:" + refs + "'");
  field(8, "M", "'多附件型'", ", isFJ1, FJ1BiaoTi", ", '1', '<b>k6</b>:" + refs + "'");
  field(9, "H", "'单行文本型'", ", isyincang, UserNames", ", '1', ';wang;'");
  field(10, "J", "'超链接型'", ", lianjiename", ", 'k7:" + refs + "'");
  field(11, "K", "'单行文本型'", ", DefaultValue", ", 'k9:" + refs + "'");
  db_.exec("insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values (1, '名称,<b>k8</b>" +
           refs + "')");
  record(", B, C, H, J", ", '" + quoted(hostile) + "', '{%2%}', 'secret', 'http://x/'");
  handled_at(1);
  const std::string page = filled(render_todo().body);

  const struct {
    const char* text;
    std::string shown;
  } cases[] = {
      {"attribute list", "FieldCantNull='k1:" + html + "'"},
      {"drop-down attribute list", "FieldXianDingChangDu='k2:" + html + "'"},
      {"radio option", "value='k3:" + html + "' checked>k3:" + html + "&nbsp;"},
      {"calendar format", "'zd6','k4:" + script + "', '24')"},
      {"dictionary dialog argument", "'名7','k5:" + script + "','"},
      {"attachment caption", "<TD><b>k6</b>:" + html + ":<INPUT type='text' id=DuoShuo18AKKKKKK"},
      {"link text", "<a href='http://x/' target='_new'>k7:" + html + "</a>"},
      {"detail caption", "><b>k8</b>" + html + "</td>"},
      {"default", "value='k9:" + html + "'>"},
  };
  for (const auto& c : cases) EXPECT_THAT(page, HasSubstr(c.shown)) << c.text;
  EXPECT_THAT(page, Not(HasSubstr("secret")));
  EXPECT_THAT(page, Not(HasSubstr("<!--<script")));
  EXPECT_THAT(page, Not(HasSubstr("</script ")));
}

// The model's name in the title's default, the node's name in the status line and the captions
// of a stored file list the user may not edit are the designer's texts too.
TEST_F(DesignerTextsTest, TheTitleStatusAndReadOnlyCaptionsFillTheirReferences) {
  const std::string hostile = "a<b & \"q\" 'q' </script <!--<script\r\nz";
  const std::string html =
      "a&lt;b &amp; &quot;q&quot; &#39;q&#39; &lt;/script &lt;!--&lt;script\r\nz";
  form("{_2:t}|{_6:s}|{8:m}", {"B", "M"}, "-1,8,", "-2,");
  field(2, "B", "'单行文本型'");
  field(8, "M", "'多附件型'", ", isFJ1, FJ1BiaoTi, isFJ2, FJ2BiaoTi",
        ", '1', '<b>说明</b>{%2%}', '1', NULL");
  db_.exec("update OA_Flow_Model_Header set Name = '请假{%2%}流程'");
  db_.exec("update OA_Flow_Model_JieDian set JieDianName = '节点{%2%}'");
  record(", B", ", '" + quoted(hostile) + "'");
  db_.exec(
      "insert into OA_Flow_FuJian (BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, FileName, "
      "ShuoMing1, ShuoMing2) values ('7', '3', 0, '8', 'f.doc', 's1', 's2')");
  handled_at(1);

  const std::string page = filled(render_todo().body);
  EXPECT_THAT(page, HasSubstr("value='请假" + html + "流程（张三, 2011-09-02 14:07）'>|"));
  EXPECT_THAT(page, HasSubstr("|流程状态：审批中&nbsp;{&nbsp;节点" + html + "：张三&nbsp;}|"));
  EXPECT_THAT(page, HasSubstr("</A>&nbsp;<b>说明</b>" + html + ":s1&nbsp;:s2</nobr>"));
  // A new flow has no record: the references leave nothing.
  db_.exec("update OA_Flow_Model_JieDian set EditFields = '-2,' where OAID = 1");
  EXPECT_THAT(filled(render_new_flow().body),
              HasSubstr("value='请假流程（张三, 2011-09-02 14:07）'>|"));
}

}  // namespace
}  // namespace page_test
