// The detail tables: their numbering, columns, widths, editability, stored rows and scripts.
#include <gtest/gtest.h>

#include <string>

#include "library/error_lines.h"
#include "page/controls/detail_fixture.h"
#include "platform/asp/response.h"

namespace page_test {
namespace {

const std::string kAttributes =
    "  align='center' border='1' bordercolor='#c1cdd8' cellpadding='5' cellspacing='0' "
    "style='border-collapse: collapse' width='100%'>";
const std::string kTh =
    "<td align='left' style='border-bottom: #c1cdd8 1px solid; background-color: #dbeaf5; "
    "height: 24px; color: #10659e; font-size: 12px; border-top: #000000 0px solid' ";
const std::string kHeader =
    kTh + "  style='width:40%'  >名称</td>" + kTh + "  style='width:80'  >数量</td>";
const std::string kDeleteTh =
    "<td align='center' style='border-bottom: #c1cdd8 1px solid; background-color: #dbeaf5; "
    "height: 24px;width: 40px; color: #10659e; font-size: 12px; border-top: #000000 0px solid' "
    "><nobr>删除</td>";
const std::string kRow = "<tr height='22' style='line-height: 120%'>";
const std::string kTd =
    "<td align='left' style='background-color: #ffffff; padding-left: 3px; font-size: 12px' "
    "valign='center'>";
const std::string kDeleteTd =
    "<td align='left' style='border-bottom: #c1cdd8 1px solid;  height: 24px; color: #10659e; "
    "font-size: 12px; border-top: #000000 0px solid' ><nobr><a href='javascript:void(0)' "
    "onclick='del(this)'>删除</a></td>";

std::string input(int key, const std::string& value) {
  return kTd + "<input type=text id='zd" + std::to_string(key) + "' name='zd" +
         std::to_string(key) + "' value='" + value + "' style='width:99%'></td>";
}
// Table n with the add button, the header cells `header` and the delete column.
std::string editable(int n, const std::string& rows, const std::string& header = kHeader) {
  return "<INPUT type='button'  value='增加一行' id=button1 name=button1 "
         "onclick='vbscript:AddRowMX" +
         std::to_string(n) + "()'><br><br><table id=myNowTable" + std::to_string(n) + kAttributes +
         "<tr bgcolor='#d4d0c8'>" + header + kDeleteTh + "</tR>" + rows + "</table>";
}
std::string read_only(int n, const std::string& rows) {
  return "<table  id=myNowTable" + std::to_string(n) + kAttributes + "<tr bgcolor='#d4d0c8'>" +
         kHeader + "</tR>" + rows + "</table>";
}

// The placeholder passes run after the tables: a brace in a cell must not open a placeholder
// that would take the markup up to the next "}".
TEST_F(DetailTableTest, ABraceInACellOpensNoPlaceholder) {
  store("'{%20%}: {1:a}'", "'}'");
  run_detail_tables();
  EXPECT_EQ(filled(), editable(1, kRow + input(21, "&#123;%20%}: &#123;1:a}") + input(22, "}") +
                                      kDeleteTd + "</tR>"));
  db_.exec("update OA_Flow_Model_JieDian set EditFields = '21,7'");
  run_detail_tables();
  EXPECT_EQ(filled(), read_only(1, kRow + kTd + "&#123;%20%}: &#123;1:a}&nbsp;</td>" + kTd +
                                       "}&nbsp;</td></tR>"));
}

TEST_F(DetailTableTest, TheTableIsEditableWhereTheUserMayEditEveryColumnAsAField) {
  struct Case {
    const char* EditFields;
    const char* TQUserList;
    const char* BanLiType;  // of the user's to-do entry: "1" only answers a consultation
    bool editable;
  } cases[] = {
      {"21,22,", "", "0", true},        {"21,22,", "", "1", false},
      {"21,22,", ";zhang;", "1", true},  // the node's list of trusted users grants it
      {"21,", ";zhang;", "0", true},    {"21,", ";li;", "0", false},
  };
  for (const Case& c : cases) {
    db_.exec(std::string("update OA_Flow_Model_JieDian set EditFields = '") + c.EditFields +
             "', TQUserList = '" + c.TQUserList + "'");
    db_.exec(std::string("update OA_DaiBan_LiuCheng set BanLiType = '") + c.BanLiType + "'");
    run_detail_tables();
    EXPECT_EQ(typed(p.MXCanEdit), c.editable ? "Boolean:True" : "Boolean:False")
        << c.EditFields << " " << c.TQUserList << " " << c.BanLiType;
    EXPECT_EQ(filled().starts_with("<INPUT type='button'"), c.editable) << filled();
  }
}

TEST_F(DetailTableTest, ShortNullAndEmptyColumnsGiveEmptyCells) {
  const std::pair<const char*, std::string> cases[] = {
      {"'2'", input(22, "2") + kDeleteTd + "</tR>" + kRow + input(21, "b") + input(22, "")},
      {"NULL", input(22, "") + kDeleteTd + "</tR>" + kRow + input(21, "b") + input(22, "")},
      {"''", input(22, "") + kDeleteTd + "</tR>" + kRow + input(21, "b") + input(22, "")},
      {"'◆,◆◆'", input(22, ",") + kDeleteTd + "</tR>" + kRow + input(21, "b") + input(22, ",,")},
  };
  for (const auto& [counts, cells] : cases) {
    store("'a,b'", counts);
    run_detail_tables();
    EXPECT_EQ(filled(), editable(1, kRow + input(21, "a") + cells + kDeleteTd + "</tR>")) << counts;
  }
}

TEST_F(DetailTableTest, AnEmptyFirstColumnOrANewRecordShowsTheHeaderOnly) {
  for (const char* names : {"NULL", "''"}) {
    store(names, "'1,2'");
    run_detail_tables();
    EXPECT_EQ(filled(), editable(1, "")) << names;
  }
  store("'a'", "'1'");
  run_phases();
  p.BiaoDanRecordID = "";
  page::build_detail_tables(p);
  EXPECT_EQ(filled(), editable(1, ""));
}

TEST_F(DetailTableTest, TablesAreNumberedInTemplateOrderSkippingKeysThatAreNotNumbers) {
  db_.exec("insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values (2, '数量')");
  set_template("<p>$x:甲$</p>$2:乙$<br>$1:明细$<br>$2:乙$ $2:乙$");
  const std::string script = run_detail_tables();
  const std::string second = editable(1, "", kTh + "  style='width:80'  >数量</td>");
  // The repeated placeholder is replaced everywhere by the first match; its later matches take
  // the numbers 3 and 4 and find nothing left to replace.
  EXPECT_EQ(filled(),
            "<p>$x:甲$</p>" + second + "<br>" + editable(2, "") + "<br>" + second + " " + second);
  for (const char* name : {"AddRowMX1()", "AddRowMX2()", "AddRowMX3()", "AddRowMX4()"}) {
    EXPECT_NE(script.find(std::string("function ") + name + "{"), std::string::npos) << name;
  }
  EXPECT_EQ(typed(p.MXIndex), "Integer:4");
}

TEST_F(DetailTableTest, APlaceholderDoesNotReachOverALineEnd) {
  set_template("$1:明\r\n细$");
  EXPECT_EQ(run_detail_tables(), "");
  EXPECT_EQ(filled(), "$1:明\r\n细$");
  EXPECT_EQ(typed(p.MXIndex), "Integer:0");
}

TEST_F(DetailTableTest, AKeyWithoutADefinitionGivesATableWithoutColumns) {
  set_template("$9:无$");
  store("'a'", "'1'");
  const std::string script = run_detail_tables();
  EXPECT_EQ(filled(), editable(1, "", ""));
  EXPECT_NE(script.find("\toCell = oRow.insertCell(0);\r\n\toCell.align=\"center\";"),
            std::string::npos);
}

TEST_F(DetailTableTest, ACaptionWithoutAFieldRowKeepsItsCaptionAndAnUnnamedInput) {
  db_.exec("update OA_Flow_BiaoDan_FieldGuanLian set DisPlayItemS = '名称, ,单价'");
  db_.exec("update OA_FLOW_7_Main set \"QM名称\" = 'a', \"QM单价\" = '9'");
  const std::string script = run_detail_tables();
  EXPECT_EQ(filled(),
            editable(1,
                     kRow + input(21, "a") + kTd +
                         "<input type=text id='zd' name='zd' value='9' style='width:99%'></td>" +
                         kDeleteTd + "</tR>",
                     kTh + "  style='width:40%'  >名称</td>" + kTh + ">单价</td>"));
  EXPECT_NE(script.find("id='zd' name='zd' mingxi='ismingxi'"), std::string::npos);
}

TEST_F(DetailTableTest, WidthsThatAreNotNumbersAreLeftOut) {
  for (const char* kuandu : {"NULL", "'宽'", "''"}) {
    db_.exec(std::string("update OA_Flow_BiaoDan_Fields set kuandu = ") + kuandu);
    run_detail_tables();
    EXPECT_NE(filled().find(kTh + ">名称</td>" + kTh + ">数量</td>"), std::string::npos) << kuandu;
  }
}

TEST_F(DetailTableTest, AKeyThatIsNumericButNotWholeRaisesTypeMismatchOnTheStepsLine) {
  set_template("$1.5:明细$");
  run_phases();
  try {
    page::build_detail_tables(p);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 13);
    // The error names a line in the detail step's own range of the page's numbering.
    EXPECT_EQ(library::page_line(e.file(), e.line()) / library::kLinesPerFile,
              library::line_range_start("page/controls/detail_tables.cpp").value() /
                  library::kLinesPerFile);
  }
}

}  // namespace
}  // namespace page_test
