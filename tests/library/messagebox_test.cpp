#include "library/messagebox.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

using MessageboxTest = LibraryTest;

// The message goes into the box as markup, unchanged; the box's own text is fixed.
TEST_F(MessageboxTest, WritesTheMessageAsMarkupInsideTheBoxAndChangesNoPageVariable) {
  const std::pair<vb::Variant, std::string> cases[] = {
      {"<b>已退回</b> & <a href='x.asp'>返回</a>", "<b>已退回</b> & <a href='x.asp'>返回</a>"},
      {vb::Variant(vb::NullValue{}), ""},
      {12, "12"},
  };
  for (const auto& [message, shown] : cases) {
    reset();
    ctx().sql = "select 1";
    library::messagebox(ctx(), message);
    EXPECT_TRUE(page().starts_with(" <p align=\"center\">\r\n <TABLE")) << page();
    EXPECT_NE(page().find("系统提示"), std::string::npos);
    EXPECT_NE(page().find("<p align=\"center\"><br>" + shown + "</p> </p> </TD></TR>\r\n"),
              std::string::npos)
        << page();
    EXPECT_TRUE(page().ends_with("</TD></TR></TABLE></p>"));
    EXPECT_EQ(logged(), std::vector<std::string>{});
    EXPECT_EQ(typed(ctx().sql), "String:select 1");
  }
}

// The whole box around a message, piece by piece.
TEST_F(MessageboxTest, WritesTheWholeBoxAroundTheMessage) {
  library::messagebox(ctx(), "已保存");
  EXPECT_EQ(
      page(),
      " <p align=\"center\">\r\n"
      " <TABLE cellSpacing=0 cellPadding=0 width=230>\r\n"
      " <TR>\r\n"
      " <TD align=middle>\r\n"
      " <TABLE cellSpacing=0 cellPadding=0 width=308 bgColor=#4867AE>\r\n"
      " <TBODY>\r\n"
      " <TR>\r\n"
      " <TD height=2 width=\"89\">\r\n"
      " <p align=\"center\">\u3000</TD>\r\n"
      " <TD height=20 width=\"215\">\r\n"
      " <DIV align=left><font color=#ffffff>系统提示</font></DIV></TD></TR></TBODY></TABLE>\r\n"
      " <div align=\"center\">\r\n"
      " <center>\r\n"
      " <TABLE cellSpacing=1 cellPadding=4 width=306 bgColor=#4867AE height=\"100\">\r\n"
      " <TBODY>\r\n"
      " <TR vAlign=top bgColor=#EFF7FF>\r\n"
      " <TD class=main1 width=\"292\" height=\"53\">\r\n"
      " <p align=\"center\"><br>已保存</p> </p> </TD></TR>\r\n"
      " </TBODY></TABLE>\r\n"
      " </center>\r\n"
      " </div>\r\n"
      " <TABLE cellSpacing=0 cellPadding=0 width=307 bgColor=#6d8e4d>\r\n"
      " <TBODY>\r\n"
      " <TR>\r\n"
      " <TD width=119 height=2></TD>\r\n"
      " <TD width=206 height=2>\r\n"
      " <DIV align=right></DIV></TD></TR></TBODY></TABLE></TD></TR></TABLE></p>");
  EXPECT_EQ(logged(), std::vector<std::string>{});
}

}  // namespace
}  // namespace library_test
