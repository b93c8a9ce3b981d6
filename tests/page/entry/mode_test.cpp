// The page's mode: new flow, modify and to-do entries, and the page stops of the mode, form and
// node phases, rendered end to end.
#include "page/entry/mode.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "page/entry/phase_fixture.h"

namespace page_test {
namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

// Most cases start on the to-do road: record 3 of form 7 waiting at node 2 of model 5.
class ModeTest : public PhaseTest {
 protected:
  ModeTest() { add_todo_road(); }
};

TEST_F(ModeTest, ThePageStopsWithTheMessageRightAfterTheHead) {
  add_model(6, "2", 7);  // privileged, without a first node
  db_.exec(
      "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, isSystem) "
      "values (8, '无表单', '', '1')");
  schema::create_form_tables(db_.path(), 9, {});  // record tables without a form row
  const std::string no_form = "参数错误：流程应该有表单，请通知管理员维护该流程的表单！";
  const std::string no_node = "参数错误：读取节点办理方式错误，节点编号：12";
  const std::pair<const char*, std::string> cases[] = {
      {"", "参数错误！"},
      {"LiuChengID=0&isStart=true", "参数错误！"},
      {"LiuChengID=8", no_form},
      {"LiuChengID=99", no_form},  // no such model
      {"BanLiID=1&BiaoDanID=7&BiaoDanRecordID=4&JieDianID=2",
       "系统提示：您没有授权或者该节点已经办理完参数错误！"},
      {"BanLiID=1&BiaoDanID=7&BiaoDanRecordID=3&JieDianID=12", no_node},
      {"BiaoDanID=7&BiaoDanRecordID=3&JieDianID=12", no_node},
      {"BiaoDanID=9&BiaoDanRecordID=3&JieDianID=2", "错误参数！"},  // no form row
      {"LiuChengID=5", "错误参数！"},  // new flows of kind 1 and 2 without a first node
      {"LiuChengID=6", "错误参数！"},
  };
  for (const auto& [query, message] : cases) {
    const host::Rendered r = render(query);
    EXPECT_NE(r.body.find(kHeadEnd), std::string::npos) << query;
    EXPECT_EQ(after_head(r.body), message) << query;
    EXPECT_THAT(r.event_log, ElementsAre()) << query;
  }
}

TEST_F(ModeTest, AKeyThatIsNotAWholeNumberEndsThePageWithTheErrorTextOnly) {
  for (const char* query : {"LiuChengID=5%20or%201%3D1",
                            "BiaoDanID=7_Main%20where%201%3D1%20--&BiaoDanRecordID=3&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=3'&JieDianID=2",
                            "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=%3Cb%3E2",
                            "BanLiID=4.5&BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2"}) {
    const host::Rendered r = render(query);
    EXPECT_THAT(
        after_head(r.body),
        MatchesRegex(" Error Type mismatch LINE[0-9]+ Routine : qmflobiaodantianx\\.I_init"))
        << query;
    EXPECT_THAT(r.event_log, ElementsAre(MatchesRegex("13 Type mismatch LINE #[0-9]+ Routine : "
                                                      "qmflobiaodantianx\\.I_init")))
        << query;
  }
}

TEST_F(ModeTest, AKeyThatIsNotAWholeNumberRunsNoQuery) {
  request("LiuChengID=5 or 1=1&BanLiID=1&BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2 or 1=1");
  page::set_up_mode(p);
  p.ctx.sql = "untouched";
  EXPECT_VB_ERROR(13, page::enter_new_flow(p));
  EXPECT_VB_ERROR(13, page::enter_modify(p));
  EXPECT_VB_ERROR(13, page::enter_todo(p));
  EXPECT_EQ(typed(p.ctx.sql), "String:untouched");
  EXPECT_EQ(response_->body(), "");
}

TEST_F(PhaseTest, OpenerCanCloseIsFalseOnlyForIsStartTrueAndTheKeysStartEmpty) {
  for (const auto& [query, can_close] :
       {std::pair{"isStart=true", false}, {"isStart=True", true}, {"isStart=", true}}) {
    request_ = std::make_shared<platform::asp::Request>();
    reset_page();
    request(query);
    p.BiaoDanID = "7";
    page::set_up_mode(p);
    EXPECT_EQ(typed(session_->get("OpenerCanClose")), can_close ? "Boolean:True" : "Boolean:False")
        << query;
    EXPECT_EQ(typed(p.BiaoDanID), "String:") << query;
  }
}

TEST_F(PhaseTest, TheModelsIsSystemGivesTheKindOfANewFlow) {
  add_new_flow_road("1");
  for (const auto& [isSystem, kind] :
       {std::pair{"1", "Integer:1"}, {"0", "Integer:0"}, {"3", "Empty:"}}) {
    db_.exec(std::string("update OA_Flow_Model_Header set isSystem = '") + isSystem + "'");
    reset_page();
    run_mode_phases();
    EXPECT_EQ(typed(p.CurrentOperate), "String:新建流程") << isSystem;
    EXPECT_EQ(typed(p.LiuChengType), kind) << isSystem;
    EXPECT_EQ(typed(p.BiaoDanID), "Long:7") << isSystem;
  }
}

// A step of another record (or of none) counts as a missing step, and the to-do entry that
// follows keeps the step's file; the statement stays the step's key query.
TEST_F(ModeTest, ModifyReadsTheStepOfTheRecordOnly) {
  request(std::string("BanLiID=4&") + kTodoQuery);
  for (const auto& [record, file] :
       {std::pair{"'3'", "String:F-1"}, {"'30'", "String:"}, {"NULL", "String:"}}) {
    db_.exec(std::string("delete from OA_FLOW_7_BanLi; insert into OA_FLOW_7_BanLi (OAID, "
                         "BiaoDanRecordID, FileID) values (4, ") +
             record + ", 'F-1')");
    page::set_up_mode(p);
    page::enter_modify(p);
    EXPECT_EQ(typed(p.ctx.sql), "String:select * from OA_FLOW_7_BanLi where OAID=4") << record;
    page::enter_todo(p);
    EXPECT_EQ(typed(p.FileID), file) << record;
  }
}

TEST_F(ModeTest, AMissingRecordRowDoesNotStopTheToDoEntry) {
  request("BiaoDanID=7&BiaoDanRecordID=30&JieDianID=2");
  run_mode_phases();
  EXPECT_EQ(typed(p.CurrentOperate), "String:待办流程");
  EXPECT_EQ(typed(p.LiuChengID), "String:");
  EXPECT_EQ(typed(p.isNewFile), "Empty:");
}

TEST_F(ModeTest, ANewFlowWithRecordKeysEndsAsToDoOnTheRecordsModel) {
  db_.exec("update OA_FLOW_7_Main set LiuChengID = 6 where OAID = 3");
  request(std::string("LiuChengID=5&") + kTodoQuery);
  run_mode_phases();
  EXPECT_EQ(typed(p.CurrentOperate), "String:待办流程");
  EXPECT_EQ(typed(p.LiuChengType), "Integer:1");
  EXPECT_EQ(typed(p.LiuChengID), "Long:6");
}

TEST_F(ModeTest, AModifyRequestWithoutAToDoEntryStopsAfterTheToDoQuery) {
  request(std::string("BanLiID=4&") + kTodoQuery);
  (*session_)["UserName"] = "o'neil";
  page::set_up_mode(p);
  EXPECT_VB_ERROR(vb::kPageStop, page::enter_modify(p));
  EXPECT_EQ(response_->body(), "系统提示：您没有授权或者该节点已经办理完参数错误！");
  EXPECT_EQ(typed(p.ctx.sql),
            "String: select  *  from OA_DaiBan_LiuCheng where BiaoDanRecordID='3' and "
            "BiaoDanID='7' and BanLiRen='o''neil'");
}

// Of the user's to-do rows, only the first found tells whether the entry is privileged.
TEST_F(ModeTest, OnlyTheFirstToDoRowFoundTellsAPrivilegedEntry) {
  request(std::string("BanLiID=4&") + kTodoQuery);
  for (const auto& [types, privileged] :
       {std::pair{std::vector{"T", "0"}, true}, {std::vector{"0", "T"}, false}}) {
    db_.exec("delete from OA_DaiBan_LiuCheng");
    for (const char* type : types) {
      add_todo(std::string("'7', '3', '2', 'zhang', 'li', '") + type + "'");
    }
    page::set_up_mode(p);
    page::enter_modify(p);
    EXPECT_EQ(typed(p.isTeQuanDaiBan), privileged ? "Boolean:True" : "Boolean:False") << types[0];
  }
}

}  // namespace
}  // namespace page_test
