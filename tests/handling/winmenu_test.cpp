// The button bar: the buttons every user gets and those that depend on the user and the node.
#include "handling/winmenu.h"

#include <gtest/gtest.h>

#include <string>

#include "handling_fixture.h"

namespace handling_test {
namespace {

// The captions of the bar's buttons in order; the golden pages pin the bar's full text.
std::string captions(const std::string& page) {
  std::string out;
  for (auto at = page.find("&nbsp;"); at != std::string::npos; at = page.find("&nbsp;", at)) {
    const auto end = page.find("&nbsp;", at + 6);
    out += (out.empty() ? "" : " ") + page.substr(at + 6, end - at - 6);
    at = end + 6;
  }
  return out;
}

TEST_F(HandlingTest, TheButtonsOfTheUserTheSessionAndTheNode) {
  const struct {
    const char *privileged, *flow, *abandon, *expected;
  } cases[] = {
      {"", "", "0", "暂存 下一步 打印 关闭 最大 还原"},
      {";li;zhang;", "", "0", "特权办理 暂存 下一步 打印 关闭 最大 还原"},
      {"", "5", "1", "暂存 下一步 打印 流程信息 废弃 关闭 最大 还原"},
  };
  for (const auto& c : cases) {
    reset();  // a new request's session: the user is named again
    (*ctx().Session)["UserName"] = "zhang";
    if (*c.flow) (*ctx().Session)["CurrentLiuchengID"] = c.flow;
    view.TQUserList = c.privileged;
    view.isFeiQi = c.abandon;
    handling::winmenu(ctx(), view);
    EXPECT_EQ(captions(page()), c.expected);
    EXPECT_EQ(page().find("TQMain.asp');\">&nbsp;特权办理&nbsp;</td>\r\n"
                          "\t\t<td><input type=hidden id=isteQuan name=isteQuan value=\"1\">") !=
                  std::string::npos,
              *c.privileged != 0);
    EXPECT_TRUE(logged().empty());
  }
}

TEST_F(HandlingTest, WhoIsPrivileged) {
  EXPECT_FALSE(handling::is_privileged(ctx(), view));  // no entry of kind T, not named

  view.TQUserList = ";zhang;";
  EXPECT_TRUE(handling::is_privileged(ctx(), view));
  view.isFirst = "1";  // named at a start node: no
  EXPECT_FALSE(handling::is_privileged(ctx(), view));
  view.TQUserList = ";zhangsan;";  // a longer name is another user
  view.isFirst = "0";
  EXPECT_FALSE(handling::is_privileged(ctx(), view));

  // The to-do road reads the kind of the user's entries; the modify road has decided it.
  db_.exec(
      "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
      "BanLiType) values ('7', '3', '2', 'zhang', '0'), ('7', '3', '2', 'zhang', 'T')");
  EXPECT_TRUE(handling::is_privileged(ctx(), view));
  view.isTeQuanDaiBan = false;
  EXPECT_FALSE(handling::is_privileged(ctx(), view));
  view.isTeQuanDaiBan = true;
  EXPECT_TRUE(handling::is_privileged(ctx(), view));

  view.isTeQuanDaiBan = vb::Variant();
  view.BiaoDanRecordID = "4";  // the entry of another record
  EXPECT_FALSE(handling::is_privileged(ctx(), view));
}

TEST_F(HandlingTest, AFailingQueryIsReportedUnderWinmenu) {
  db_.exec("drop table OA_DaiBan_LiuCheng");
  handling::winmenu(ctx(), view);
  EXPECT_EQ(page().rfind("<table", 0), 0u);
  EXPECT_NE(page().find(" Routine : qmflobiaodantianx.winmenu"), std::string::npos) << page();
  ASSERT_EQ(logged().size(), 1u);
}

}  // namespace
}  // namespace handling_test
