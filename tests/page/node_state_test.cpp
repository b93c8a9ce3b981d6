// The form definition, the current node with its editable fields and switches, and the user's
// to-do state with the removal of the user's notices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/current_node.h"
#include "page/form_definition.h"
#include "page/phase_fixture.h"
#include "page/todo_state.h"
#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace page_test {
namespace {

// ---- Form definition.

struct TemplateCase {
  const char* css;  // SQL literal
  const char* BiaoDanHTML;
};

class FormTemplateTest : public PhaseTest, public ::testing::WithParamInterface<TemplateCase> {};

TEST_P(FormTemplateTest, IsWrappedInTheJiBenXinXiDiv) {
  add_todo_road();
  db_.exec(std::string("update OA_Flow_BiaoDan set BiaoDanCSS = ") + GetParam().css);
  request_todo_road();
  run_phases();
  EXPECT_EQ(typed(p.BiaoDanHTML), std::string("String:") + GetParam().BiaoDanHTML);
  EXPECT_EQ(typed(p.BiaoDanName), "String:请假单");
  EXPECT_EQ(typed(p.isJiaZai), "String:0");
  EXPECT_EQ(typed(p.ZhengWenType), "String:3");
  EXPECT_EQ(typed(p.isFirstJieDian), "Boolean:False");
  EXPECT_EQ(typed(p.isNewFile), "String:false");
}

INSTANTIATE_TEST_SUITE_P(
    Templates, FormTemplateTest,
    ::testing::Values(TemplateCase{"''", "<DIV id=JiBenXinXi name=JiBenXinXi></DIV>"},
                      TemplateCase{"NULL", "<DIV id=JiBenXinXi name=JiBenXinXi></DIV>"},
                      TemplateCase{"'<p>[#1#]</p>'",
                                   "<DIV id=JiBenXinXi name=JiBenXinXi><p>[#1#]</p></DIV>"}));

TEST_F(PhaseTest, AFormThatLoadsItsDocumentMakesTheFileNotNew) {
  add_todo_road();
  db_.exec("update OA_Flow_BiaoDan set isJiaZai = '1'");
  request_todo_road();
  run_phases();
  EXPECT_EQ(typed(p.isNewFile), "Boolean:False");
}

TEST_F(PhaseTest, TheFormAndNodeQueriesAreTheExpectedTexts) {
  add_todo_road();
  request_todo_road();
  run_mode_phases();
  page::load_form_definition(p);
  EXPECT_EQ(typed(p.ctx.sql), "String:select * from OA_Flow_BiaoDan where OAID = 7");
  page::load_current_node(p);
  EXPECT_EQ(typed(p.ctx.sql), "String:select * from OA_Flow_Model_JieDian where   OAID=2");
  EXPECT_EQ(typed(p.EditFields), "String:3,4,");
}

// ---- Switches of the node.

struct SwitchCase {
  const char* stored;  // iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui, isRen as SQL literals
  std::vector<const char*> normalised;  // the same six after the phase
  const char* isShowChoice;
};

class NodeSwitchTest : public PhaseTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(NodeSwitchTest, BecomeZeroOrOneAndDecideTheChoices) {
  add_form(7);
  add_model(5, "1", 7);
  add_node(2, 5, "0", GetParam().stored);
  add_record(7, 3, 5);
  add_todo(7, 3, 2, "zhang", "0");
  request_todo_road();
  run_phases();
  const std::vector<std::string> normalised = {typed(p.iszhuanban), typed(p.isgoutong),
                                               typed(p.isFenFa),    typed(p.isFeiQi),
                                               typed(p.isBoHui),    typed(p.isRen)};
  std::vector<std::string> expected;
  for (const char* v : GetParam().normalised) expected.push_back(std::string("String:") + v);
  EXPECT_EQ(normalised, expected);
  EXPECT_EQ(typed(p.isShowChoice), GetParam().isShowChoice);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, NodeSwitchTest,
    ::testing::Values(
        SwitchCase{
            "NULL, '0', NULL, NULL, '1', NULL", {"0", "0", "0", "0", "1", "0"}, "Boolean:True"},
        SwitchCase{"'2', '2', '2', '2', '2', '2'", {"0", "0", "0", "0", "0", "2"}, "Boolean:False"},
        SwitchCase{"'1', '0', '0', '0', '0', '1'", {"1", "0", "0", "0", "0", "1"}, "Boolean:True"},
        SwitchCase{"'0', '1', '0', '0', '0', ''", {"0", "1", "0", "0", "0", "0"}, "Boolean:True"},
        SwitchCase{"'', '', '1', '1', '', 'x'", {"0", "0", "1", "1", "0", "x"}, "Boolean:False"}));

// ---- New flows.

TEST_F(PhaseTest, TheFirstNodeOfANewFlowOffersNoChoices) {
  add_form(7);
  add_model(5, "1", 7);
  add_node(20, 5, "1", "'1', '1', '1', '1', '1', '1'");
  request("LiuChengID", "5");
  run_phases();
  EXPECT_EQ(typed(p.JieDianID), "Long:20");
  EXPECT_EQ(typed(p.isFirst), "String:1");
  EXPECT_EQ(typed(p.EditFields), "String:3,4,");
  EXPECT_EQ(typed(p.isFirstJieDian), "Boolean:True");
  for (const vb::Variant* flag :
       {&p.iszhuanban, &p.isgoutong, &p.isFenFa, &p.isFeiQi, &p.isBoHui}) {
    EXPECT_EQ(typed(*flag), "String:0");
  }
  EXPECT_EQ(typed(p.isRen), "String:1");
  EXPECT_EQ(typed(p.isShowChoice), "Boolean:False");
}

TEST_F(PhaseTest, ANewFlowOfKindZeroMayEditEveryFieldOfTheRecordTable) {
  add_form(7);
  add_model(5, "0", 7);
  db_.exec(
      "insert into OA_Flow_BiaoDan_Fields (OAID, TableName) values "
      "(11, 'OA_FLOW_7_Main'), (12, 'OA_FLOW_8_Main'), (13, 'OA_FLOW_7_Main'), "
      "(14, 'OA_FLOW_7_MX')");
  request("LiuChengID", "5");
  run_phases();
  EXPECT_EQ(typed(p.EditFields), "String:-1,-2,11,13,");
  EXPECT_EQ(typed(p.ctx.ii), "Integer:3");
  EXPECT_EQ(typed(p.JieDianID), "String:");
  EXPECT_EQ(typed(p.isFirst), "Empty:");
  EXPECT_EQ(typed(p.isFirstJieDian), "Boolean:True");
}

TEST_F(PhaseTest, ANewFlowOfKindZeroWithoutFieldsMayEditTheSystemFieldsOnly) {
  add_form(7);
  add_model(5, "0", 7);
  request("LiuChengID", "5");
  run_phases();
  EXPECT_EQ(typed(p.EditFields), "String:-1,-2,");
}

TEST_F(PhaseTest, AModelOfUnknownKindLeavesNothingEditable) {
  add_form(7);
  add_model(5, "9", 7);
  db_.exec("insert into OA_Flow_BiaoDan_Fields (OAID, TableName) values (11, 'OA_FLOW_7_Main')");
  request("LiuChengID", "5");
  run_phases();
  EXPECT_EQ(typed(p.LiuChengType), "Empty:");
  EXPECT_EQ(typed(p.EditFields), "Empty:");
  EXPECT_EQ(typed(p.isFirstJieDian), "Boolean:False");
  EXPECT_EQ(response_->body(), "");
}

// ---- The user's to-do position.

struct TodoCase {
  std::vector<std::string>
      rows;  // (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser, BanLiType)
  const char* isGouTongOnly;
  const char* isSendGouTong;
  const char* DaiBanBanLiType;
  const char* SendUser;
};

class TodoPositionTest : public PhaseTest, public ::testing::WithParamInterface<TodoCase> {};

TEST_P(TodoPositionTest, ComesFromTheUsersEntriesAtTheNode) {
  add_todo_road();
  db_.exec("delete from OA_DaiBan_LiuCheng");
  for (const std::string& row : GetParam().rows) {
    db_.exec(
        "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
        "SendUser, BanLiType) values (" +
        row + ")");
  }
  request_todo_road();
  run_phases();
  EXPECT_EQ(typed(p.isGouTongOnly), GetParam().isGouTongOnly);
  EXPECT_EQ(typed(p.isSendGouTong), GetParam().isSendGouTong);
  EXPECT_EQ(typed(p.DaiBanBanLiType), GetParam().DaiBanBanLiType);
  EXPECT_EQ(typed(p.SendUser), GetParam().SendUser);
}

INSTANTIATE_TEST_SUITE_P(Entries, TodoPositionTest,
                         ::testing::Values(
                             // Only a consultation to answer.
                             TodoCase{{"'7', '3', '2', 'zhang', 'li', '1'"},
                                      "Boolean:True",
                                      "Boolean:False",
                                      "String:1",
                                      "String:li"},
                             // No entry at this node (one at another node does not count).
                             TodoCase{{"'7', '3', '9', 'zhang', 'li', '0'"},
                                      "Boolean:True",
                                      "Boolean:False",
                                      "String:0",
                                      "String:0"},
                             // An ordinary entry: its kind and sender are not read.
                             TodoCase{{"'7', '3', '2', 'zhang', 'li', '0'"},
                                      "Boolean:False",
                                      "Boolean:False",
                                      "String:0",
                                      "String:0"},
                             // The user asked wang for a consultation that is still open.
                             TodoCase{{"'7', '3', '2', 'zhang', 'li', '0'",
                                       "'7', '3', '2', 'wang', 'zhang', '1'"},
                                      "Boolean:False",
                                      "Boolean:True",
                                      "String:0",
                                      "String:0"}));

TEST_F(PhaseTest, ANewFlowHasNoToDoPosition) {
  add_form(7);
  add_model(5, "0", 7);
  add_todo(7, 3, 2, "zhang", "1");
  request("LiuChengID", "5");
  run_phases();
  EXPECT_EQ(typed(p.isGouTongOnly), "Boolean:False");
  EXPECT_EQ(typed(p.isSendGouTong), "Boolean:False");
  EXPECT_EQ(typed(p.DaiBanBanLiType), "String:0");
  EXPECT_EQ(typed(p.SendUser), "String:0");
}

// ---- Notices and bookmarks.

class NoticeTest : public PhaseTest {
 protected:
  void add_notice(long key, const std::string& ID1, const std::string& ID2,
                  const std::string& user) {
    db_.exec("insert into OA_MSG (OAID, ID1, ID2, userName, msg) values (" + std::to_string(key) +
             ", " + ID1 + ", " + ID2 + ", '" + user + "', '请办理')");
  }
  std::string notices() const {
    return db_.scalar("select group_concat(OAID) from (select OAID from OA_MSG order by OAID)");
  }
};

TEST_F(NoticeTest, OpeningARecordDeletesOnlyTheUsersNoticesAboutIt) {
  add_todo_road();
  add_notice(1, "'7'", "'3'", "zhang");
  add_notice(2, "'7'", "'3'", "li");
  add_notice(3, "'7'", "'4'", "zhang");
  add_notice(4, "'8'", "'3'", "zhang");
  add_notice(5, "'7'", "''", "zhang");
  request_todo_road();
  run_phases();
  EXPECT_EQ(notices(), "2,3,4,5");
  EXPECT_EQ(typed(p.ctx.sql),
            "String:Delete OA_MSG where ID1='7' and ID2='3'   and username='zhang'");
}

TEST_F(NoticeTest, AUserNameWithAQuoteIsMatchedAsItStands) {
  add_todo_road();
  add_todo(7, 3, 2, "o''neil", "0");  // an SQL literal
  add_notice(1, "'7'", "'3'", "o''neil");
  add_notice(2, "'7'", "'3'", "o");
  (*session_)["UserName"] = "o'neil";
  request_todo_road();
  run_phases();
  EXPECT_EQ(notices(), "2");
  EXPECT_EQ(typed(p.isGouTongOnly), "Boolean:False");
}

TEST_F(NoticeTest, ANewFlowDeletesNoNotice) {
  add_form(7);
  add_model(5, "0", 7);
  add_notice(1, "'7'", "''", "zhang");
  add_notice(2, "'7'", "NULL", "zhang");
  request("LiuChengID", "5");
  run_phases();
  EXPECT_EQ(notices(), "1,2");
  EXPECT_EQ(typed(p.ctx.sql),
            "String:select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_7_Main'");
}

TEST_F(PhaseTest, TheBookmarkArraysHoldTheOneElementZero) {
  add_todo_road();
  request_todo_road();
  run_phases();
  for (const vb::Variant* names : {&p.BookMarkNames, &p.BookMarkValues}) {
    ASSERT_TRUE(vb::IsArray(*names));
    EXPECT_EQ(vb::UBound(*names), 0);
    EXPECT_EQ(typed(names->at(0)), "Empty:");
  }
}

}  // namespace
}  // namespace page_test
