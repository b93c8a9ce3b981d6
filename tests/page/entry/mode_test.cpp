// The page's mode: new flow, modify and to-do entries, and the page stops of the mode, form and
// node phases, rendered end to end.
#include "page/entry/mode.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "library/error_lines.h"
#include "page/entry/phase_fixture.h"

namespace page_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
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

// The phases of I_init all report under "I_init": the line number alone tells which statement
// of which phase file failed.
TEST_F(ModeTest, AKeyThatIsNotAWholeNumberEndsThePageWithTheErrorTextOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"LiuChengID=5%20or%201%3D1", "page/entry/new_flow.cpp"},
      {"BiaoDanID=7_Main%20where%201%3D1%20--&BiaoDanRecordID=3&JieDianID=2", nullptr},
      {"BiaoDanID=7&BiaoDanRecordID=3'&JieDianID=2", "page/entry/todo_entry.cpp"},
      {"BiaoDanID=7&BiaoDanRecordID=3&JieDianID=%3Cb%3E2", nullptr},
      {"BanLiID=4.5&BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2", "page/entry/modify_entry.cpp"},
  };
  std::set<long> lines;
  for (const auto& [query, file] : cases) {
    const host::Rendered r = render(query);
    EXPECT_THAT(
        after_head(r.body),
        MatchesRegex(" Error Type mismatch LINE[0-9]+ Routine : qmflobiaodantianx\\.I_init"))
        << query;
    ASSERT_THAT(r.event_log, ElementsAre(MatchesRegex("13 Type mismatch LINE #[0-9]+ Routine : "
                                                      "qmflobiaodantianx\\.I_init")))
        << query;
    if (file == nullptr) continue;
    const long line = std::stol(r.event_log[0].substr(std::strlen("13 Type mismatch LINE #")));
    const long start = library::line_range_start(file).value();
    EXPECT_GT(line, start) << query;
    EXPECT_LT(line, start + library::kLinesPerFile) << query;
    EXPECT_THAT(r.body, HasSubstr(" LINE" + std::to_string(line) + " Routine : "));
    lines.insert(line);
  }
  EXPECT_EQ(lines.size(), 3u);
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

TEST_F(ModeTest, LiuChengIdZeroIsNotANewFlow) {
  request("LiuChengID=0");
  run_mode_phases();
  EXPECT_EQ(typed(p.CurrentOperate), "String:");
  EXPECT_EQ(typed(p.isSystem), "Empty:");
  EXPECT_EQ(typed(p.BanLiType), "Empty:");
}

class OpenerCanCloseTest : public PhaseTest,
                           public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(OpenerCanCloseTest, IsFalseOnlyForIsStartTrueAndTheKeysStartEmpty) {
  request(GetParam().first);
  p.BiaoDanID = "7";
  p.CurrentOperate = "待办流程";
  page::set_up_mode(p);
  EXPECT_EQ(typed(session_->get("OpenerCanClose")),
            GetParam().second ? "Boolean:True" : "Boolean:False");
  EXPECT_EQ(typed(p.BiaoDanID), "String:");
  EXPECT_EQ(typed(p.CurrentOperate), "String:");
  EXPECT_EQ(vb::TypeName(p.rs), "Recordset");
}

INSTANTIATE_TEST_SUITE_P(IsStart, OpenerCanCloseTest,
                         ::testing::Values(std::pair{"isStart=true", false},
                                           std::pair{"isStart=True", true},
                                           std::pair{"isStart=false", true},
                                           std::pair{"isStart=", true}, std::pair{"", true}),
                         test_names::FirstValue());

class NewFlowKindTest : public PhaseTest,
                        public ::testing::WithParamInterface<std::pair<const char*, const char*>> {
};

TEST_P(NewFlowKindTest, TheModelsIsSystemGivesTheKind) {
  add_new_flow_road(GetParam().first);
  run_mode_phases();
  EXPECT_EQ(typed(p.CurrentOperate), "String:新建流程");
  EXPECT_EQ(typed(p.BanLiType), "String:1");
  EXPECT_EQ(typed(p.LiuChengID), "String:5");
  EXPECT_EQ(typed(p.isSystem), std::string("String:") + GetParam().first);
  EXPECT_EQ(typed(p.LiuChengType), GetParam().second);
  EXPECT_EQ(typed(p.BiaoDanID), "Long:7");
  EXPECT_EQ(typed(p.BiaoDanName), "String:请假单");
}

INSTANTIATE_TEST_SUITE_P(IsSystem, NewFlowKindTest,
                         ::testing::Values(std::pair{"1", "Integer:1"}, std::pair{"0", "Integer:0"},
                                           std::pair{"3", "Empty:"}, std::pair{"", "Empty:"}),
                         test_names::FirstValue());

TEST_F(ModeTest, ModifyThenToDoEndsAsToDoKeepingTheStepsValues) {
  db_.exec(
      "insert into OA_FLOW_7_BanLi (OAID, BiaoDanRecordID, BanLiJieGuo, BanLiYiJian, FileID, "
      "ContentHTML) values (4, '3', '同意', '可以', 'F-1', '<p>旧</p>')");
  request(std::string("BanLiID=4&") + kTodoQuery);
  page::set_up_mode(p);
  page::enter_modify(p);
  EXPECT_EQ(typed(p.CurrentOperate), "String:修改流程");
  EXPECT_EQ(typed(p.ContentHTML), "String:<p>旧</p>");

  page::enter_todo(p);
  EXPECT_EQ(typed(p.CurrentOperate), "String:待办流程");
  EXPECT_EQ(typed(p.BanLiID), "String:4");
  EXPECT_EQ(typed(p.BanLiJieGuo), "String:同意");
  EXPECT_EQ(typed(p.BanLiYiJian), "String:可以");
  EXPECT_EQ(typed(p.FileID), "String:F-1");
  EXPECT_EQ(typed(p.ContentHTML), "String:<p>正文</p>");
  EXPECT_EQ(typed(p.isTeQuanDaiBan), "Boolean:False");
  EXPECT_EQ(typed(p.hasDaiBan), "Boolean:True");
}

// A step of another record (or of none) counts as a missing step: the page goes on with the
// record's values, and the statement stays the step's key query.
class ForeignStepTest : public ModeTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ForeignStepTest, ModifyIgnoresAStepOfAnotherRecord) {
  db_.exec(std::string("insert into OA_FLOW_7_BanLi (OAID, BiaoDanRecordID, BanLiYiJian, FileID, "
                       "ContentHTML) values (4, ") +
           GetParam() + ", '别人的', 'F-9', '<p>别人的</p>')");
  request(std::string("BanLiID=4&") + kTodoQuery);
  page::set_up_mode(p);
  page::enter_modify(p);
  EXPECT_EQ(typed(p.CurrentOperate), "String:修改流程");
  EXPECT_EQ(typed(p.ContentHTML), "String:<p>正文</p>");
  EXPECT_EQ(typed(p.BanLiYiJian), "Empty:");
  EXPECT_EQ(typed(p.FileID), "String:");
  EXPECT_EQ(typed(p.ctx.sql), "String:select * from OA_FLOW_7_BanLi where OAID=4");
}

INSTANTIATE_TEST_SUITE_P(Records, ForeignStepTest, ::testing::Values("'1'", "'30'", "NULL", "''"));

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

class PrivilegedEntryTest
    : public ModeTest,
      public ::testing::WithParamInterface<std::pair<std::vector<const char*>, bool>> {};

TEST_P(PrivilegedEntryTest, OnlyTheFirstRowFoundCounts) {
  db_.exec("delete from OA_DaiBan_LiuCheng");
  for (const char* type : GetParam().first) {
    add_todo(std::string("'7', '3', '2', 'zhang', 'li', '") + type + "'");
  }
  request(std::string("BanLiID=4&") + kTodoQuery);
  page::set_up_mode(p);
  page::enter_modify(p);
  EXPECT_EQ(typed(p.isTeQuanDaiBan), GetParam().second ? "Boolean:True" : "Boolean:False");
  EXPECT_EQ(typed(p.hasDaiBan), "Boolean:True");
}

// BanLiType of the user's to-do rows in insert order, and whether the entry is privileged.
INSTANTIATE_TEST_SUITE_P(Entries, PrivilegedEntryTest,
                         ::testing::Values(std::pair{std::vector{"T"}, true},
                                           std::pair{std::vector{"T", "0"}, true},
                                           std::pair{std::vector{"0", "T"}, false},
                                           std::pair{std::vector{"1"}, false}),
                         test_names::FirstValue());

}  // namespace
}  // namespace page_test
