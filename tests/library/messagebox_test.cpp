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

}  // namespace
}  // namespace library_test
