// The handling-result radios of a node: successors, conditions, end nodes, the node's switches
// and the consultation answer.
#include "handling/result_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handling_fixture.h"

namespace handling_test {
namespace {

// "value" for a visible radio, "(value)" for a hidden one, separated by blanks.
std::string values(const std::vector<handling::ResultRadio>& radios) {
  std::string out;
  for (const auto& r : radios) {
    out += (out.empty() ? "" : " ") + (r.visible ? r.value : "(" + r.value + ")");
  }
  return out;
}

TEST_F(HandlingTest, RadiosOfStartMiddleAndEndNodes) {
  connect("(1, 2, ''), (2, 4, 'a<5'), (2, 3, 'a>=5'), (3, 4, '')");
  struct Case {
    const char* node;
    const char* isFirst;
    const char* expected;
  } cases[] = {
      {"1", "1", "2"},
      {"2", "0", "TiaoJian 3 4"},  // successors ascending, whatever the connection order
      {"3", "0", "4"},
      {"4", "3", "JieShu"},
  };
  for (const Case& c : cases) {
    view.JieDianID = c.node;
    view.isFirst = c.isFirst;
    EXPECT_EQ(values(handling::result_radios(ctx(), view)), c.expected) << c.node;
  }
}

TEST_F(HandlingTest, SwitchesAddTheirResultsInOrder) {
  connect("(2, 3, '')");
  view.isFeiQi = view.isBoHui = view.iszhuanban = view.isgoutong = "1";
  EXPECT_EQ(values(handling::result_radios(ctx(), view)), "3 -1 -2 -3 -4");
  view.isFeiQi = view.iszhuanban = "0";
  EXPECT_EQ(values(handling::result_radios(ctx(), view)), "3 -2 -4");
}

TEST_F(HandlingTest, ConsultationAnswerOffersOnlyTheAnswer) {
  connect("(2, 3, '')");
  view.DaiBanBanLiType = "1";
  view.isBoHui = "1";
  EXPECT_EQ(values(handling::result_radios(ctx(), view)), "(GouTong) (kkkkkkkkkkkkkkkkkk)");
  view.isgoutong = "1";
  EXPECT_EQ(values(handling::result_radios(ctx(), view)), "GouTong -4");
}

TEST_F(HandlingTest, CyclesSelfLoopsDuplicatesAndMissingNodes) {
  connect("(2, 3, ''), (3, 2, ''), (2, 2, ''), (2, 3, NULL), (2, 99, ' ')");
  const auto radios = handling::result_radios(ctx(), view);
  EXPECT_EQ(values(radios), "2 3 99");  // a blank condition is no condition
  EXPECT_EQ(radios[0].caption, "审核");
  EXPECT_EQ(radios[2].caption, "99");  // a node that is gone shows its key
}

TEST_F(HandlingTest, NodeWithoutConnectionsWithoutKeyOrWithABadKey) {
  EXPECT_EQ(values(handling::result_radios(ctx(), view)), "");
  view.JieDianID = "";
  view.isBoHui = "1";
  EXPECT_EQ(values(handling::result_radios(ctx(), view)), "-2");
  // A node key that is no number raises before any query.
  view.JieDianID = "2 or 1=1";
  EXPECT_VB_ERROR(13, handling::result_radios(ctx(), view));
}

TEST_F(HandlingTest, WritesTheGroupWithTheStoredResultCheckedAndDataDiv) {
  connect("(2, 3, ''), (2, 4, '')");
  view.BanLiJieGuo = "4";
  view.isgoutong = "1";
  view.isSendGouTong = true;
  handling::write_result_choice(ctx(), view);
  const std::string& out = page();
  EXPECT_NE(out.find("value=\"4\" checked onclick=\"checkRadio()\">批准"), std::string::npos);
  EXPECT_EQ(out.find(" checked ", out.find(" checked ") + 1), std::string::npos);
  EXPECT_NE(out.find("（撤销沟通）</a></span></label>"), std::string::npos);
  EXPECT_NE(out.find("<div id=DataDIV name=DataDIV style=\"display:none\"></div>"),
            std::string::npos);
}

TEST_F(HandlingTest, HiddenAnswerIsCheckedAndCallsNothing) {
  view.DaiBanBanLiType = "1";
  handling::write_result_choice(ctx(), view);
  EXPECT_NE(page().find("value=\"GouTong\" checked style=\"display:none\">"), std::string::npos)
      << page();
  EXPECT_EQ(page().find("checkRadio"), std::string::npos);
  EXPECT_EQ(page().find("schexiao"), std::string::npos);
}

}  // namespace
}  // namespace handling_test
