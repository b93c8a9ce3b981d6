// The form definition, the current node with its editable fields and switches, and the user's
// to-do state with the removal of the user's notices.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "page/entry/phase_fixture.h"

namespace page_test {
namespace {

TEST_F(PhaseTest, ANullFormTemplateGivesAnEmptyJiBenXinXiDiv) {
  add_todo_road();
  request(kTodoQuery);
  db_.exec("update OA_Flow_BiaoDan set BiaoDanCSS = NULL");
  run_phases();
  EXPECT_EQ(typed(p.BiaoDanHTML), "String:<DIV id=JiBenXinXi name=JiBenXinXi></DIV>");
  EXPECT_EQ(typed(p.isNewFile), "String:false");  // the record's, as the form loads no document
}

// The node's switches become "0" or "1" (isRen keeps its text), and those of forwarding,
// consultation and return offer the user choices.
TEST_F(PhaseTest, NodeSwitchesBecomeZeroOrOneAndDecideTheChoices) {
  add_todo_road();
  request(kTodoQuery);
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"NULL, '0', NULL, NULL, '1', NULL", "0 0 0 0 1 0 ", true},
      {"'2', '2', '2', '2', '2', '2'", "0 0 0 0 0 2 ", false},
      {"'1', '0', '0', '0', '0', '1'", "1 0 0 0 0 1 ", true},
      {"'0', '1', '0', '0', '0', ''", "0 1 0 0 0 0 ", true},
      {"'', '', '1', '1', '', 'x'", "0 0 1 1 0 x ", false}};
  for (const auto& [stored, normalised, choices] : cases) {
    db_.exec(std::string("update OA_Flow_Model_JieDian set (iszhuanban, isgoutong, isFenFa, "
                         "isFeiQi, isBoHui, isRen) = (") +
             stored + ")");
    run_phases();
    std::string seen;
    for (const vb::Variant* v :
         {&p.iszhuanban, &p.isgoutong, &p.isFenFa, &p.isFeiQi, &p.isBoHui, &p.isRen}) {
      EXPECT_EQ(vb::TypeName(*v), "String") << stored;
      seen += vb::CStr(*v) + " ";
    }
    EXPECT_EQ(seen, normalised) << stored;
    EXPECT_EQ(typed(p.isShowChoice), choices ? "Boolean:True" : "Boolean:False") << stored;
  }
}

TEST_F(PhaseTest, AModelOfUnknownKindLeavesNothingEditable) {
  add_new_flow_road("9");
  db_.exec("insert into OA_Flow_BiaoDan_Fields (OAID, TableName) values (11, 'OA_FLOW_7_Main')");
  run_phases();
  EXPECT_EQ(typed(p.LiuChengType), "Empty:");
  EXPECT_EQ(typed(p.EditFields), "Empty:");
  EXPECT_EQ(typed(p.isFirstJieDian), "Boolean:False");
  EXPECT_EQ(response_->body(), "");
}

// isGouTongOnly, isSendGouTong, DaiBanBanLiType and SendUser from the user's entries at the node.
std::string todo_position(const page::PageState& p) {
  return typed(p.isGouTongOnly) + " " + typed(p.isSendGouTong) + " " + typed(p.DaiBanBanLiType) +
         " " + typed(p.SendUser);
}

TEST_F(PhaseTest, TheToDoPositionComesFromTheUsersEntriesAtTheNode) {
  add_todo_road();
  request(kTodoQuery);
  const std::pair<const char*, const char*> cases[] = {
      // Only a consultation to answer.
      {"'7', '3', '2', 'zhang', 'li', '1'", "Boolean:True Boolean:False String:1 String:li"},
      // An ordinary entry: its kind and sender are not read.
      {"'7', '3', '2', 'zhang', 'li', '0'", "Boolean:False Boolean:False String:0 String:0"}};
  for (const auto& [row, position] : cases) {
    db_.exec("delete from OA_DaiBan_LiuCheng");
    add_todo(row);
    reset_page();
    run_phases();
    EXPECT_EQ(todo_position(p), position) << row;
  }
}

TEST_F(PhaseTest, ANewFlowHasNoToDoPositionAndDeletesNoNotice) {
  add_new_flow_road("0");
  add_todo("'7', '3', '2', 'zhang', 'li', '1'");
  db_.exec(
      "insert into OA_MSG (OAID, ID1, ID2, userName, msg) values (1, '7', '', 'zhang', 'x'), "
      "(2, '7', NULL, 'zhang', 'x')");
  run_phases();
  EXPECT_EQ(todo_position(p), "Boolean:False Boolean:False String:0 String:0");
  EXPECT_EQ(db_.scalar("select count(*) from OA_MSG"), "2");
}

TEST_F(PhaseTest, OpeningARecordDeletesOnlyTheUsersNoticesAboutIt) {
  add_todo_road();
  add_todo("'7', '3', '2', 'o''neil', 'li', '0'");
  db_.exec(
      "insert into OA_MSG (OAID, ID1, ID2, userName, msg) values (1, '7', '3', 'zhang', 'x'), "
      "(2, '7', '3', 'li', 'x'), (3, '7', '4', 'zhang', 'x'), (4, '8', '3', 'zhang', 'x'), "
      "(5, '7', '', 'zhang', 'x'), (6, '7', '3', 'o''neil', 'x'), (7, '7', '3', 'o', 'x')");
  const std::string left = "select group_concat(OAID) from (select OAID from OA_MSG order by OAID)";
  request(kTodoQuery);
  run_phases();
  EXPECT_EQ(db_.scalar(left), "2,3,4,5,6,7");
  EXPECT_EQ(typed(p.ctx.sql),
            "String:Delete OA_MSG where ID1='7' and ID2='3'   and username='zhang'");

  (*session_)["UserName"] = "o'neil";  // a quote in the name is matched as it stands
  run_phases();
  EXPECT_EQ(db_.scalar(left), "2,3,4,5,7");
  EXPECT_EQ(typed(p.isGouTongOnly), "Boolean:False");  // the user's entry was found
}

}  // namespace
}  // namespace page_test
