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

// Each row: the node, its isFirst, its switches isFeiQi isBoHui iszhuanban isgoutong as four
// digits, the to-do kind (1: a consultation to answer) and the radios.
TEST_F(HandlingTest, RadiosOfNodesSwitchesAndTheConsultationAnswer) {
  connect("(1, 2, ''), (2, 4, 'a<5'), (2, 3, 'a>=5'), (3, 4, '')");
  const struct {
    const char *node, *isFirst, *switches, *kind, *expected;
  } cases[] = {
      {"1", "1", "0000", "0", "2"},
      {"2", "0", "0000", "0", "TiaoJian 3 4"},  // successors ascending, whatever the order
      {"4", "3", "0000", "0", "JieShu"},
      {"5", "0", "0000", "0", ""},   // no connections
      {"", "0", "0100", "0", "-2"},  // no node key
      {"3", "0", "1111", "0", "4 -1 -2 -3 -4"},
      {"3", "0", "0110", "0", "4 -2 -3"},
      {"3", "0", "0100", "1", "(GouTong) (kkkkkkkkkkkkkkkkkk)"},
      {"3", "0", "0101", "1", "GouTong -4"},
  };
  for (const auto& c : cases) {
    view.JieDianID = c.node;
    view.isFirst = c.isFirst;
    vb::Variant* switches[] = {&view.isFeiQi, &view.isBoHui, &view.iszhuanban, &view.isgoutong};
    for (int i = 0; i < 4; ++i) *switches[i] = std::string(1, c.switches[i]);
    view.DaiBanBanLiType = c.kind;
    EXPECT_EQ(values(handling::result_radios(ctx(), view)), c.expected) << c.node << c.switches;
  }
  view.DaiBanBanLiType = "0";
  view.JieDianID = "2 or 1=1";  // a node key that is no number raises before any query
  EXPECT_VB_ERROR(13, handling::result_radios(ctx(), view));
}

TEST_F(HandlingTest, CyclesSelfLoopsDuplicatesAndMissingNodes) {
  connect("(2, 3, ''), (3, 2, ''), (2, 2, ''), (2, 3, NULL), (2, 99, ' ')");
  const auto radios = handling::result_radios(ctx(), view);
  EXPECT_EQ(values(radios), "2 3 99");  // a blank condition is no condition
  EXPECT_EQ(radios[0].caption, "审核");
  EXPECT_EQ(radios[2].caption, "99");  // a node that is gone shows its key
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
