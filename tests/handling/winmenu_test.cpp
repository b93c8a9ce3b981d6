// The button bar: the buttons every user gets and those that depend on the user and the node.
#include "handling/winmenu.h"

#include <gtest/gtest.h>

#include <string>

#include "handling_fixture.h"

namespace handling_test {
namespace {

constexpr char kApproval[] =
    "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
    "onclick=\"javascript:openFlow('../system/workflow/TQMain.asp');\">&nbsp;特权办理&nbsp;</td>\r\n"
    "\t\t<td><input type=hidden id=isteQuan name=isteQuan value=\"1\"></td>\r\n";

std::string bar(const std::string& first_buttons, const std::string& optional_buttons) {
  return "<table border=0 cellspacing=2 cellpadding=0>\r\n\t<tr>\r\n" + first_buttons +
         "\t\t<td id=Td_ColumnSet1 class=\"MenuButton\" nowrap style=\"cursor:hand\" "
         "onclick=\"parent.saveToDB('0',this)\">&nbsp;暂存&nbsp;</td>\r\n"
         "\t\t<td id=Td_ColumnSet2 class=\"MenuButton\" nowrap style=\"cursor:hand\" "
         "onclick=\"if(confirm('您确定要将当前文档提交到下一流程办理吗？'))parent.saveToDB('1',"
         "this)\">&nbsp;下一步&nbsp;</td>\r\n"
         "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
         "onclick=\"javascript:DaYinWord();\">&nbsp;打印&nbsp;</td>\r\n" +
         optional_buttons +
         "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
         "onclick=\"javascript:window.close();\">&nbsp;关闭&nbsp;</td>\r\n"
         "\t\t<!--\r\n"
         "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
         "onclick=\"fullscreen()\">&nbsp;最大&nbsp;</td>\r\n"
         "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
         "onclick=\"restore()\">&nbsp;还原&nbsp;</td>\r\n"
         "\t\t-->\r\n\t</tr>\r\n</table>\r\n";
}

TEST_F(HandlingTest, TheFixedButtonsAndThoseOfTheUserTheSessionAndTheNode) {
  handling::winmenu(ctx(), view);
  EXPECT_EQ(page(), bar("", ""));
  EXPECT_TRUE(logged().empty());

  reset();  // a new request's session: the user is named again
  (*ctx().Session)["UserName"] = "zhang";
  view.TQUserList = ";li;zhang;";
  handling::winmenu(ctx(), view);
  EXPECT_EQ(page(), bar(kApproval, ""));

  reset();  // workflow information and abandon follow the session and the node
  (*ctx().Session)["UserName"] = "zhang";
  view.TQUserList = "";
  (*ctx().Session)["CurrentLiuchengID"] = "5";
  view.isFeiQi = "1";
  handling::winmenu(ctx(), view);
  EXPECT_EQ(page(), bar("",
                        "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
                        "onclick=\"javascript:openFlow('../system/workflow/FlowGraphDis.asp');\">"
                        "&nbsp;流程信息&nbsp;</td>\r\n"
                        "\t\t<td class=\"MenuButton\" nowrap style=\"cursor:hand\" "
                        "onclick=\"javascript:if(confirm('确实要删除该流程单吗？')) todel();\">"
                        "&nbsp;废弃&nbsp;</td>\r\n"));
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
