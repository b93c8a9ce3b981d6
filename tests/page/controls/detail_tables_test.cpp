// The detail tables: their numbering, columns, widths, editability, stored rows and scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "page/controls/detail_fixture.h"
#include "platform/asp/response.h"
#include "vb/builtins.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;

// The rows and input values of the tables in `html`: "/" starts a row, "|" a value.
std::string values(const std::string& html) {
  static const std::regex token("<tr height='22'|name='zd[0-9]*' value='([^']*)'");
  std::string out;
  for (std::sregex_iterator it(html.begin(), html.end(), token), end; it != end; ++it) {
    out += (*it)[1].matched ? "|" + (*it)[1].str() : "/";
  }
  return out;
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
  const std::pair<const char*, const char*> cases[] = {
      {"'2'", "/|a|2/|b|"},
      {"NULL", "/|a|/|b|"},
      {"''", "/|a|/|b|"},
  };
  for (const auto& [counts, cells] : cases) {
    store("'a,b'", counts);
    run_detail_tables();
    EXPECT_EQ(values(filled()), cells) << counts;
  }
}

TEST_F(DetailTableTest, AnEmptyFirstColumnOrANewRecordShowsTheHeaderOnly) {
  for (const char* names : {"NULL", "''"}) {
    store(names, "'1,2'");
    run_detail_tables();
    EXPECT_EQ(values(filled()), "") << names;
    EXPECT_THAT(filled(), HasSubstr(">数量</td>")) << names;
  }
  store("'a'", "'1'");
  run_phases();
  p.BiaoDanRecordID = "";
  page::build_detail_tables(p);
  EXPECT_EQ(values(filled()), "");
}

TEST_F(DetailTableTest, TablesAreNumberedInTemplateOrderSkippingKeysThatAreNotNumbers) {
  db_.exec("insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values (2, '数量')");
  set_template("<p>$x:甲$</p>$2:乙$<br>$1:明细$<br>$2:乙$ $2:乙$");
  const std::string script = run_detail_tables();
  // The repeated placeholder is replaced everywhere by the first match; its later matches take
  // the numbers 3 and 4 and find nothing left to replace.
  std::string order;  // each table's number, then its captions
  static const std::regex token("myNowTable([0-9])|>(名称|数量)</td>");
  const std::string html = filled();
  for (std::sregex_iterator it(html.begin(), html.end(), token), end; it != end; ++it) {
    order += (*it)[1].matched ? " " + (*it)[1].str() : (*it)[2].str();
  }
  EXPECT_EQ(order, " 1数量 2名称数量 1数量 1数量");
  EXPECT_TRUE(html.starts_with("<p>$x:甲$</p><INPUT")) << html;
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
  EXPECT_THAT(filled(), HasSubstr("<tr bgcolor='#d4d0c8'><td align='center'"));
  EXPECT_EQ(values(filled()), "");
  EXPECT_NE(script.find("\toCell = oRow.insertCell(0);\r\n\toCell.align=\"center\";"),
            std::string::npos);
}

TEST_F(DetailTableTest, ACaptionWithoutAFieldRowKeepsItsCaptionAndAnUnnamedInput) {
  db_.exec("update OA_Flow_BiaoDan_FieldGuanLian set DisPlayItemS = '名称, ,单价'");
  db_.exec("update OA_FLOW_7_Main set \"QM名称\" = 'a', \"QM单价\" = '9'");
  const std::string script = run_detail_tables();
  EXPECT_EQ(values(filled()), "/|a|9");
  EXPECT_THAT(filled(),
              AllOf(HasSubstr("name='zd' value='9'"), HasSubstr("0px solid' >单价</td>")));
  EXPECT_NE(script.find("id='zd' name='zd' mingxi='ismingxi'"), std::string::npos);
}

TEST_F(DetailTableTest, WidthsThatAreNotNumbersAreLeftOut) {
  run_detail_tables();
  EXPECT_THAT(filled(), HasSubstr("0px solid'   style='width:40%'  >名称</td>"));
  for (const char* kuandu : {"NULL", "'宽'", "''"}) {
    db_.exec(std::string("update OA_Flow_BiaoDan_Fields set kuandu = ") + kuandu);
    run_detail_tables();
    EXPECT_THAT(filled(), HasSubstr("0px solid' >名称</td>")) << kuandu;
  }
}

// A key with a fraction names no definition: its table has no columns, no query is built from
// it, and the page goes on to its end.
TEST_F(DetailTableTest, AKeyThatIsNumericButNotWholeIsADefinitionWithoutARow) {
  set_template("$1:明细$|$1.5:明细$|$1e-1:明细$");
  store("'a'", "'1'");
  const std::string script = run_detail_tables();
  EXPECT_THAT(vb::CStr(p.ctx.sql), ::testing::EndsWith("from OA_FLOW_7_Main where OAID=3"));
  EXPECT_EQ(values(filled()), "/|a|1");
  EXPECT_TRUE(filled().starts_with("<INPUT type='button'  value='增加一行' id=button1 name=button1 "
                                   "onclick='vbscript:AddRowMX1()'><br><br><table id=myNowTable1"))
      << filled();
  EXPECT_NE(script.find("function AddRowMX3(){"), std::string::npos);

  const host::Rendered page = render(kTodoQuery);
  EXPECT_TRUE(page.event_log.empty()) << page.event_log[0];
  EXPECT_THAT(page.body, HasSubstr("<table id=myNowTable2"));
  EXPECT_THAT(page.body, HasSubstr("</form>"));
}

// A stored cell is text, whatever it holds: another table's placeholder stays in the cell.
TEST_F(DetailTableTest, ACellHoldingAPlaceholderKeepsItAsText) {
  db_.exec("insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values (2, '数量')");
  set_template("$1:明细$|$2:乙$");
  store("'$2:乙$,{1:a}◆$1:明细$'", "'1,2'");
  run_detail_tables();
  EXPECT_EQ(values(filled()), "/|$2:乙$|1/|{1:a},$1:明细$|2/|1/|2");
  EXPECT_EQ(vb::Split(vb::Variant(filled()), "<table").array().size(), 3u);
}

}  // namespace
}  // namespace page_test
