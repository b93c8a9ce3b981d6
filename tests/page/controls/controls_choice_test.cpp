// The choice controls: check box, drop-down list and radio group.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/controls/controls_fixture.h"

namespace page_test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(ControlTest, TheCheckBoxIsCheckedByOneOnly) {
  add_field(32, "复选框");
  for (const vb::Variant& value :
       {vb::Variant("1"), vb::Variant("on"), vb::Variant(vb::Null), vb::Variant("1 ")}) {
    EXPECT_EQ(control(32, value).find("checked") != std::string::npos, value == "1")
        << vb::CStr(value & "");
  }
}

class DropDownTest : public ControlTest {
 protected:
  DropDownTest() {
    db_.exec(
        "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) values "
        "(1, '类别', 0, '0', 1), (2, '乙', 1, '1', 2), (3, '甲''s', 1, '1', 1), "
        "(4, '停用', 1, '0', 3)");
  }
};

// The demo pages show the dictionary's list without a choice; here the stored value is marked.
TEST_F(DropDownTest, TheDictionaryCategoryGivesTheOptionsInTheirOrder) {
  add_field(33, "下拉列表型", "FieldNameDis = '类别'");
  EXPECT_THAT(control(33, "乙"),
              EndsWith("FieldNameDis='类别' ><OPTION value='甲&#39;s'>甲&#39;s"
                       "</OPTION><OPTION value='乙' selected >乙</OPTION></Select>"));
  // No option matches: none is marked, so the browser shows the first.
  EXPECT_THAT(control(33, "丙"), Not(HasSubstr("selected")));
  EXPECT_EQ(typed(p.iItem), "Integer:3");
  // A query flag with a blank query falls back on the dictionary.
  db_.exec("update OA_Flow_BiaoDan_Fields set ZiDianCode = '1', DefaultValue = '  '");
  EXPECT_THAT(control(33, "乙"), HasSubstr("<OPTION value='乙' selected >"));
  db_.exec("update OA_Flow_BiaoDan_Fields set FieldNameDis = '无此<类别>'");
  EXPECT_THAT(control(33, "乙"), EndsWith("FieldNameDis='无此&lt;类别&gt;' ></Select>"));
}

TEST_F(DropDownTest, TheOptionsQueryGivesItsFirstColumn) {
  add_field(33, "下拉列表型",
            "ZiDianCode = '1', DefaultValue = 'select Name, OAID from OA_ZiDian where "
            "ParentID = 1 order by OrderNumber'");
  const std::string html = control(33, "停用");
  EXPECT_THAT(html, HasSubstr("<select style='width:99%' id=zd33 name=zd33 FieldType="));
  EXPECT_THAT(html, EndsWith("<OPTION value='乙' >乙</OPTION>"
                             "<OPTION value='停用'  selected >停用</OPTION></Select>"));
  db_.exec(
      "update OA_Flow_BiaoDan_Fields set DefaultValue = 'select Name from OA_ZiDian where "
      "OAID = 99'");
  EXPECT_THAT(control(33, "停用"), EndsWith("' ></Select>"));
}

TEST_F(DropDownTest, AFailingOptionsQueryRaises) {
  add_field(33, "下拉列表型", "ZiDianCode = '1', DefaultValue = 'select Name from NoSuchTable'");
  p.zdID = "33";
  p.FieldType = "下拉列表型";
  EXPECT_VB_ERROR(-2147217900, page::build_field_control(p));
}

TEST_F(DropDownTest, AThousandOptionsAreAllWritten) {
  db_.exec(
      "with recursive n(i) as (select 0 union all select i + 1 from n where i < 999) "
      "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) "
      "select 100 + i, 'o' || i, 1, '1', 10 + i from n");
  add_field(33, "下拉列表型", "FieldNameDis = '类别'");
  EXPECT_THAT(control(33, "o999"), EndsWith("<OPTION value='o998'>o998</OPTION><OPTION "
                                            "value='o999' selected >o999</OPTION></Select>"));
  EXPECT_EQ(typed(p.iItem), "Integer:1003");
}

// When the value matches an option every option is written ("'  checked>" or "'  >"); else the
// empty ones are left out, the first written is checked ("' checked>") and the others follow
// with two blanks before "value=". The demo pages show two options and no match.
TEST_F(ControlTest, TheRadioGroupChecksTheStoredOptionOrTheFirst) {
  const std::string radio = "<INPUT type='radio' id=zd34 name=zd34 ";
  const std::string yes = radio + "value='是'  >是&nbsp;";
  const std::string first_yes = radio + "value='是' checked>是&nbsp;";
  const std::string later_no = radio + " value='否' >否&nbsp;";
  const struct {
    const char* options;  // DefaultValue as an SQL literal
    vb::Variant value;
    std::string radios;
  } cases[] = {
      {"'是*否'", "否", yes + radio + "value='否'  checked>否&nbsp;"},
      {"'是*否'", vb::Null, first_yes + later_no},
      {"'*是*否*'", "也许", first_yes + later_no},
      {"'*是*否'", "", radio + "value=''  checked>&nbsp;" + yes + radio + "value='否'  >否&nbsp;"},
      {"'''a''*<b>'", "<b>",
       radio + "value='&#39;a&#39;'  >&#39;a&#39;&nbsp;" + radio +
           "value='&lt;b&gt;'  checked>&lt;b&gt;&nbsp;"},
      {"''", "", ""},
      {"NULL", vb::Null, ""},
      {"'**'", "x", ""},
  };
  for (const auto& c : cases) {
    add_field(34, "真假型", std::string("DefaultValue = ") + c.options);
    EXPECT_EQ(control(34, c.value),
              "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD  "
              "width=100% NOWRAP>" +
                  c.radios + "</TD></TR></TABLE>")
        << c.options;
    db_.exec("delete from OA_Flow_BiaoDan_Fields");
  }
}

}  // namespace
}  // namespace page_test
