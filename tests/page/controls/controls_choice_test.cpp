// The rich-text editor and the choice controls: check box, drop-down list and radio group.
#include <gtest/gtest.h>

#include <string>

#include "page/controls/controls_fixture.h"

namespace page_test {
namespace {

TEST_F(ControlTest, TheCheckBoxIsCheckedByOneOnly) {
  add_field(32, "复选框");
  for (const vb::Variant& value :
       {vb::Variant("1"), vb::Variant("on"), vb::Variant(vb::Null), vb::Variant("1 ")}) {
    EXPECT_EQ(control(32, value), std::string("<INPUT type='checkbox' id='zd32' NAME='zd32'  ") +
                                      (value == "1" ? "checked" : "") + "  >")
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
  static std::string opening(const std::string& blanks) {
    return "<select" + blanks +
           "style='width:99%' id=zd33 name=zd33 FieldType='下拉列表型'  "
           "FieldXianDingChangDu='0'   FieldCanEdit='1'   RiQiGeShi=''   ShiJianGeShi=''   "
           "FieldCantNull='1'  FieldIsDuoXuan='0' FieldNameDis='类别' >";
  }
};

TEST_F(DropDownTest, TheDictionaryCategoryGivesTheOptionsInTheirOrder) {
  add_field(33, "下拉列表型", "FieldNameDis = '类别'");
  EXPECT_EQ(control(33, "乙"), opening("  ") +
                                   "<OPTION value='甲&#39;s'>甲&#39;s</OPTION>"
                                   "<OPTION value='乙' selected >乙</OPTION></Select>");
  // No option matches: none is marked, so the browser shows the first.
  EXPECT_EQ(control(33, "丙"), opening("  ") +
                                   "<OPTION value='甲&#39;s'>甲&#39;s</OPTION>"
                                   "<OPTION value='乙'>乙</OPTION></Select>");
  EXPECT_EQ(typed(p.iItem), "Integer:3");
  // A query flag with a blank query falls back on the dictionary.
  db_.exec("update OA_Flow_BiaoDan_Fields set ZiDianCode = '1', DefaultValue = '  '");
  EXPECT_NE(control(33, "乙").find("<OPTION value='乙' selected >"), std::string::npos);
  db_.exec("update OA_Flow_BiaoDan_Fields set FieldNameDis = '无此类别'");
  EXPECT_EQ(control(33, "乙"),
            opening("  ").replace(opening("  ").find("类别"), 6, "无此类别") + "</Select>");
}

TEST_F(DropDownTest, TheOptionsQueryGivesItsFirstColumn) {
  add_field(33, "下拉列表型",
            "FieldNameDis = '类别', ZiDianCode = '1', DefaultValue = 'select Name, OAID from "
            "OA_ZiDian where ParentID = 1 order by OrderNumber'");
  EXPECT_EQ(control(33, "停用"), opening(" ") +
                                     "<OPTION value='甲&#39;s' >甲&#39;s</OPTION>"
                                     "<OPTION value='乙' >乙</OPTION>"
                                     "<OPTION value='停用'  selected >停用</OPTION></Select>");
  db_.exec(
      "update OA_Flow_BiaoDan_Fields set DefaultValue = 'select Name from OA_ZiDian where "
      "OAID = 99'");
  EXPECT_EQ(control(33, "停用"), opening(" ") + "</Select>");
}

TEST_F(DropDownTest, AFailingOptionsQueryRaises) {
  add_field(33, "下拉列表型", "ZiDianCode = '1', DefaultValue = 'select Name from NoSuchTable'");
  p.zdID = "33";
  p.FieldType = "下拉列表型";
  EXPECT_VB_ERROR(-2147217900, page::build_field_control(p));
}

TEST_F(DropDownTest, AThousandOptionsAreAllWritten) {
  std::string rows;
  for (int i = 0; i < 1000; ++i) {
    rows += (i ? ", (" : "(") + std::to_string(100 + i) + ", 'o" + std::to_string(i) +
            "', 1, '1', " + std::to_string(10 + i) + ")";
  }
  db_.exec("insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) values " + rows);
  add_field(33, "下拉列表型", "FieldNameDis = '类别'");
  const std::string html = control(33, "o999");
  EXPECT_EQ(typed(p.iItem), "Integer:1003");
  EXPECT_NE(html.find("<OPTION value='o998'>o998</OPTION><OPTION value='o999' selected >o999"
                      "</OPTION></Select>"),
            std::string::npos);
}

struct RadioCase {
  const char* options;  // DefaultValue as an SQL literal
  vb::Variant value;
  std::string radios;
};

class RadioGroupTest : public ControlTest, public ::testing::WithParamInterface<RadioCase> {};

TEST_P(RadioGroupTest, ChecksTheStoredOptionOrTheFirst) {
  add_field(34, "真假型", std::string("DefaultValue = ") + GetParam().options);
  EXPECT_EQ(control(34, GetParam().value),
            "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD  width=100% NOWRAP>" +
                GetParam().radios + "</TD></TR></TABLE>");
}

// When the value matches an option every option is written ("'  checked>" or "'  >"); else the
// empty ones are left out, the first written is checked ("' checked>") and the others follow
// with two blanks before "value=".
const std::string kRadio = "<INPUT type='radio' id=zd34 name=zd34 ";
const std::string kYes = kRadio + "value='是'  >是&nbsp;";
const std::string kNoChecked = kRadio + "value='否'  checked>否&nbsp;";
const std::string kFirstYes = kRadio + "value='是' checked>是&nbsp;";
const std::string kLaterNo = kRadio + " value='否' >否&nbsp;";

INSTANTIATE_TEST_SUITE_P(
    Options, RadioGroupTest,
    ::testing::Values(RadioCase{"'是*否'", "否", kYes + kNoChecked},
                      RadioCase{"'是*否'", "也许", kFirstYes + kLaterNo},
                      RadioCase{"'是*否'", vb::Null, kFirstYes + kLaterNo},
                      RadioCase{"'*是*否*'", "也许", kFirstYes + kLaterNo},
                      RadioCase{"'*是*否'", "",
                                kRadio + "value=''  checked>&nbsp;" + kYes + kRadio +
                                    "value='否'  >否&nbsp;"},
                      RadioCase{"'''a''*<b>'", "<b>",
                                kRadio + "value='&#39;a&#39;'  >&#39;a&#39;&nbsp;" + kRadio +
                                    "value='&lt;b&gt;'  checked>&lt;b&gt;&nbsp;"},
                      RadioCase{"''", "", ""}, RadioCase{"NULL", vb::Null, ""},
                      RadioCase{"'**'", "x", ""}));

}  // namespace
}  // namespace page_test
