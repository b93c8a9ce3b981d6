#include "library/dictionary_lists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "hostile_names.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using Builder = vb::Variant (*)(library::PageContext&, vb::Variant&, vb::Variant&, vb::Variant&,
                                vb::Variant&, vb::Variant&, vb::Variant&);

// The category 意见 holds three items out of key order, one of them without a code, and a row
// that is not an item; a second row named 意见 adds one more item.
class DictionaryListsTest : public DatabaseTest {
 protected:
  DictionaryListsTest() {
    db_.exec(
        "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber, ZDCode) values"
        " (1, '意见', 0, '0', 1, null),"
        " (2, '同意', 1, '1', 2, 'TY'),"
        " (3, '不同意', 1, '1', 1, 'BTY'),"
        " (4, '请审批', 1, '1', 3, null),"
        " (5, '分组', 1, '0', 0, 'FZ'),"
        " (6, '空类别', 0, '0', 2, null),"
        " (7, '意见', 0, '0', 3, null),"
        " (8, '再议', 7, '1', 4, 'ZY')");
  }

  // Builds the list of 意见 named "L"; returns it and leaves the write-backs in sel and by.
  std::string build(Builder builder, vb::Variant by, vb::Variant sel, vb::Variant css,
                    vb::Variant mode) {
    vb::Variant category = "意见", name = "L";
    sel_ = std::move(sel);
    by_ = std::move(by);
    return vb::CStr(builder(ctx(), category, name, sel_, by_, css, mode));
  }

  vb::Variant sel_, by_;
};

// Items in key order from both rows named 意见, selection by key.
constexpr char kOptionsByKey[] =
    "<option value=3>不同意</option>\r\n<option value=2 selected >同意</option>\r\n"
    "<option value=4>请审批</option>\r\n<option value=8>再议</option>\r\n</select>";

// Each row's fragment is what its mode changes; the Query list always goes by key and says so
// to its caller.
TEST_F(DictionaryListsTest, EachModeOfBothBuilders) {
  struct Case {
    Builder builder;
    vb::Variant by, sel, css, mode;
    std::string expected;
  };
  const std::string query = "<select name='L' id='L' FieldType='下拉列表型' class=";
  const std::string query_options = "<option value=''>全部</option> \r\n";
  const Case cases[] = {
      {library::getmetafinally, 1, "同意", "-1", "", "<option selected>同意</option>\r\n"},
      {library::getmetafinally, 2, "TY", "wide", " disabled",
       "class=wide wide disabled > \r\n<option value='0'></option> \r\n"
       "<option value=BTY>不同意</option>\r\n<option value=TY selected >同意</option>\r\n"
       "<option value=>请审批</option>"},
      {library::getmetafinally, 3, 2, "-1", "",
       "class=select -1 > \r\n<option value='0'></option> \r\n" + std::string(kOptionsByKey)},
      {library::getmetafinally, 1, "2", "-1", "Query",
       query + "select> \r\n" + query_options + kOptionsByKey},
      {library::getmetafinallyevent, 1, "同意", "-1", "",
       "class=select -1  onchange='vbscript:LChange'> \r\n<option value='0'></option>"},
      {library::getmetafinallyevent, 2, "2", "c", "Query",
       query + "c onchange='vbscript:LChange'> \r\n" + query_options + kOptionsByKey},
  };
  for (const Case& c : cases) {
    const std::string list = build(c.builder, c.by, c.sel, c.css, c.mode);
    EXPECT_NE(list.find(c.expected), std::string::npos) << c.expected << "\n in: " << list;
    EXPECT_TRUE(list.starts_with("<select name='L' ") && list.ends_with("</select>")) << list;
    EXPECT_EQ(typed(by_), c.mode == "Query" ? "Integer:0" : typed(c.by));
  }
  // In print mode the selection is the whole text.
  EXPECT_EQ(build(library::getmetafinally, 1, "不在列表", "-1", "print"), "不在列表");
  EXPECT_EQ(build(library::getmetafinallyevent, 3, 42, "-1", "print"), "42");
  for (const HostileName& name : kHostileNames) {
    EXPECT_EQ(build(library::getmetafinally, 1, name.stored, "-1", "print"), name.html);
    EXPECT_EQ(typed(sel_), "String:" + name.stored);
  }
  expect_quiet();
}

TEST_F(DictionaryListsTest, SelectionFollowsTheVariantRules) {
  // A Null selection becomes "0" and marks the item whose key is 0, if there is one.
  db_.exec(
      "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) values"
      " (0, '零号', 7, '1', 5)");
  EXPECT_NE(
      build(library::getmetafinally, 3, vb::Null, "-1", "").find("<option value=0 selected >零号"),
      std::string::npos);
  EXPECT_EQ(typed(sel_), "String:0");
  // A null code never matches, not even an empty selection; names compare case-sensitively.
  EXPECT_EQ(build(library::getmetafinally, 2, "", "-1", "").find("selected"), std::string::npos);
  db_.exec(
      "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) values"
      " (9, 'Yes', 7, '1', 6)");
  EXPECT_EQ(build(library::getmetafinally, 1, "yes", "-1", "").find("selected"), std::string::npos);
  EXPECT_NE(build(library::getmetafinally, 1, "Yes", "-1", "").find("<option selected>Yes"),
            std::string::npos);
}

TEST_F(DictionaryListsTest, WrappersPassTheCallersVariablesThrough) {
  vb::Variant category = "意见", name = "L", sel = vb::Null, by = 2, css = "-1", mode = "Query";
  const std::string event = vb::CStr(library::getmetaevent(ctx(), category, name, sel, by, css));
  EXPECT_NE(event.find("-1  onchange='vbscript:LChange'> \r\n"), std::string::npos);
  EXPECT_NE(event.find("<option value=TY>同意</option>"), std::string::npos);
  EXPECT_EQ(typed(sel), "String:0");
  EXPECT_EQ(typed(by), "Integer:2");
  sel = "同意";
  EXPECT_NE(vb::CStr(library::getmeta(ctx(), category, name, sel)).find("<option selected>同意"),
            std::string::npos);
  sel = "2";
  const std::string query = vb::CStr(library::getmetaa(ctx(), category, name, sel, mode));
  EXPECT_NE(query.find("class=select> \r\n<option value=''>全部</option> \r\n" +
                       std::string(kOptionsByKey)),
            std::string::npos);
  expect_quiet();
}

TEST_F(DictionaryListsTest, ACategoryWithoutItemsGivesTheMessageInEveryMode) {
  const std::string message = "内部错误：请在后台字典中添加“空类别”目录项。";
  for (const char* mode : {"", "Query", "print"}) {
    vb::Variant category = "空类别", name = "L", sel = "x", by = 1, css = "-1", m = mode;
    EXPECT_EQ(vb::CStr(library::getmetafinally(ctx(), category, name, sel, by, css, m)), message);
  }
  // A name that is not in the dictionary, quotes included, is only looked up.
  vb::Variant category = "O'Brien<b>", name = "L", sel = "";
  EXPECT_EQ(vb::CStr(library::getmeta(ctx(), category, name, sel)),
            "内部错误：请在后台字典中添加“O&#39;Brien&lt;b&gt;”目录项。");
  EXPECT_NE(vb::CStr(ctx().strsql).find("Name = 'O''Brien<b>'"), std::string::npos);
  expect_quiet();
}

TEST_F(DictionaryListsTest, ItemsCannotLeaveTheirOption) {
  db_.exec(
      "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber, ZDCode) values"
      " (30, '怪', 0, '0', 9, null),"
      " (31, 'say \"hi\" & it''s', 30, '1', 1, 'a b'),"
      " (32, '</option></select></form><script>alert(1)</script>', 30, '1', 2, 'x''y'),"
      " (33, 'line' || char(13) || char(10) || 'break', 30, '1', 3, 'CODE')");
  vb::Variant category = "怪", name = "L", sel = "", by = 2, css = "-1";
  const std::string list = vb::CStr(library::getmetaex(ctx(), category, name, sel, by, css));
  for (const char* item : {"<option value='a b'>say &quot;hi&quot; &amp; it&#39;s</option>",
                           "<option value='x&#39;y'>&lt;/option&gt;&lt;/select&gt;&lt;/form&gt;",
                           "<option value=CODE>line\r\nbreak</option>"}) {
    EXPECT_NE(list.find(item), std::string::npos) << item << "\n in: " << list;
  }
}

TEST_F(DictionaryListsTest, AFailingQueryIsReportedByTheBuilderAndGivesNothing) {
  db_.exec("drop table OA_ZiDian");
  vb::Variant category = "意见", name = "L", sel = "";
  EXPECT_EQ(typed(library::getmeta(ctx(), category, name, sel)), "Empty:");
  // The line is numbered in the dictionary lists' own range.
  expect_logged_once("-2147217900 ", " Routine : qmflobiaodantianx.getmetafinally");
  EXPECT_THAT(logged(),
              ::testing::ElementsAre(::testing::ContainsRegex(" LINE #22[0-9][0-9][0-9] Routine")));
}

}  // namespace
}  // namespace library_test
