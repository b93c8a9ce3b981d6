#include "page/scripts/head.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/client_script.h"
#include "support/page_fixture.h"

namespace page {
namespace {

constexpr char kHead[] =
    "<HTML XMLNS:MyPad><HEAD>\r\n"
    "<script language=\"JavaScript\" src=\"../Include/js/calendar.js\"></script>\r\n"
    "<script type=\"text/javascript\" src=\"../Include/js/calendar-zh.js\"></script>\r\n"
    "<script type=\"text/javascript\" src=\"../qmkel.js\"></script>\r\n"
    "<script language=\"JavaScript\" src=\"../include/FunctionJS.asp\"></script>\r\n"
    "<script language=\"JavaScript\" src=\"../Include/js/tabpane.js\"></script>\r\n"
    "<link type=\"text/css\" rel=\"stylesheet\" href=\"../Include/js/tab.css\">\r\n"
    "<link type=\"text/css\" rel=\"stylesheet\" href=\"../Include/js/css.css\">\r\n"
    "<script type=\"text/javascript\" src=\"../ckeditor/ckeditor.js\"></script>\r\n"
    "<script type=\"text/javascript\" src=\"../js/jquery-1.4.2.min.js\"></script>\r\n"
    "<link type=\"text/css\" href=\"../js/lhg/lhgdialog.css\" rel=\"stylesheet\" />\r\n"
    "<script type=\"text/javascript\" src=\"../js/lhg/lhgcore.min.js\"></script>\r\n"
    "<script type=\"text/javascript\" src=\"../js/lhg/lhgdialog.js\"></script>\r\n"
    "<script language=\"javascript\">\r\n"
    "function del(obj){\r\n"
    "\tif(confirm(\"确实删除该行记录吗？\")){\r\n"
    "\t\tobj.parentNode.parentNode.parentNode.removeNode(true);\r\n"
    "\t}\r\n"
    "}\r\n"
    "function todel(){\r\n"
    "\tdocument.webform.OP.value=\"DEL\";\r\n"
    "\tdocument.webform.submit();\r\n"
    "}\r\n"
    "function openFlow(url){\r\n"
    "\tvar dg = new J.ui.dialog({ title:'流程信息', page:url, drag:true, cover:true, btns:false, "
    "width:document.body.clientWidth-50, height:document.body.clientHeight-50 });\r\n"
    "\tdg.ShowDialog();\r\n"
    "}\r\n"
    "</script>\r\n"
    "<META name=VI60_defaultClientScript content=JavaScript>\r\n"
    "<TITLE>流程处理</TITLE>\r\n";

using HeadTest = page_test::PageTest;

TEST_F(HeadTest, FollowsTheSetUpLinesInEveryMode) {
  const std::string expected = std::string(page_test::kWindowLines) + kHead;
  for (const char* query : {"", "LiuChengID=5", "BiaoDanID=1&BiaoDanRecordID=2&JieDianID=3",
                            "BanLiID=4&BiaoDanID=1&BiaoDanRecordID=2&JieDianID=3"}) {
    EXPECT_THAT(render(query).body, ::testing::StartsWith(expected)) << query;
  }
  test_support::expect_javascript_parses(kHead);
}

}  // namespace
}  // namespace page
