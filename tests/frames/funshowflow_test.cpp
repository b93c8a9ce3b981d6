#include "frames/funshowflow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "frames/frame_fixture.h"

namespace frames {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The frame as the form fill-in page calls it: both titles, no pager, no message.
constexpr char kWorkflowFrame[] =
    " <body scroll=no onresize=setmyIDWidth() >\r\n"
    "<table id=\"ViewMainTable\" width=\"100%\" height=\"100%\" border=\"0\" cellspacing=\"0\" "
    "cellpadding=\"0\">\r\n"
    "\t<tr>\r\n"
    "\t\t<td class=\"TitleBar\" height=\"25\" nowrap>&nbsp;工作流管理</td>\r\n"
    "\t</tr>\r\n"
    "\t<tr>\r\n"
    "\t\t<td class=\"TitleBand\" height=\"25\" nowrap>&nbsp;流程办理</td>\r\n"
    "\t</tr>\r\n"
    "\t<tr>\r\n"
    "\t\t<td class=\"ButtonBar\" height=\"30\" nowrap>\r\n"
    "[winmenu]"
    "\t\t</td>\r\n"
    "\t</tr>\r\n"
    "\t<tr>\r\n"
    "\t\t<td valign=\"top\">\r\n"
    "\t\t\t<div id=\"myIDWidth\" style=\"overflow:auto;height:100%\">\r\n"
    "[showcontent]"
    "\t\t\t</div>\r\n"
    "<script language=\"javascript\">\r\n"
    "function setmyIDWidth(){\r\n"
    "\tdocument.getElementById(\"myIDWidth\").style.width=(document.body.clientWidth-20)+\"px\";"
    "\r\n"
    "}\r\n"
    "setmyIDWidth();\r\n"
    "</script>\r\n"
    "\t\t</td>\r\n"
    "\t</tr>\r\n"
    "\t<tr>\r\n"
    "\t\t<td class=\"MessageRow\" height=\"20\"></td>\r\n"
    "\t</tr>\r\n"
    "</table>\r\n";

class FunshowflowTest : public ::testing::Test {
 protected:
  void show(vb::Variant title, vb::Variant caption, vb::Variant showSearch) {
    vb::Variant fourth = false;
    funshowflow(f_.ctx, title, caption, showSearch, fourth, page_);
  }

  FrameContext f_;
  MarkingPage page_{f_.ctx};
};

TEST_F(FunshowflowTest, WritesTheWorkflowFrameAroundBothCallbacks) {
  show("工作流管理", "流程办理", false);
  EXPECT_EQ(f_.body(), kWorkflowFrame);
  EXPECT_TRUE(f_.log->entries().empty());
}

TEST_F(FunshowflowTest, LeavesOutTheTitleBarAndBandWhenTheirTextsAreEmpty) {
  struct Case {
    vb::Variant title, caption;
    bool has_title_bar, has_title_band;
  };
  const Case cases[] = {
      {"", "流程办理", false, true},
      {"工作流管理", "", true, false},
      {vb::Variant(), vb::Null, false, false},
  };
  for (const Case& c : cases) {
    FrameContext f;
    MarkingPage page(f.ctx);
    vb::Variant title = c.title, caption = c.caption, showSearch = false, fourth;
    funshowflow(f.ctx, title, caption, showSearch, fourth, page);
    EXPECT_EQ(f.body().find("class=\"TitleBar\"") != std::string::npos, c.has_title_bar);
    EXPECT_EQ(f.body().find("class=\"TitleBand\"") != std::string::npos, c.has_title_band);
    // The button bar is there whatever the titles are.
    EXPECT_THAT(f.body(), HasSubstr("<td class=\"ButtonBar\" height=\"30\" nowrap>\r\n[winmenu]"));
  }
}

TEST_F(FunshowflowTest, WritesThePagerOnlyWhenShowSearchIsTrue) {
  show("t", "c", true);
  EXPECT_THAT(f_.body(),
              HasSubstr("\t\t<td class=\"MessageRow\" height=\"20\"></td>\r\n"
                        "\t</tr>\r\n"
                        "\t<tr id=\"searchform\">\r\n"
                        "\t\t<td class=\"Pager\" height=\"24\" align=\"right\" nowrap></td>\r\n"
                        "\t</tr>\r\n"
                        "</table>\r\n"));

  FrameContext without;
  MarkingPage page(without.ctx);
  vb::Variant title = "t", caption = "c", showSearch = "False", fourth;
  funshowflow(without.ctx, title, caption, showSearch, fourth, page);
  EXPECT_THAT(without.body(), Not(HasSubstr("searchform")));
}

TEST_F(FunshowflowTest, EncodesTheRequestMessageSoItCannotInjectScript) {
  f_.ctx.Request->add_query_string("msg", "<script>alert(\"x\")</script> & 已保存");
  show("", "", false);
  EXPECT_THAT(f_.body(),
              HasSubstr("<td class=\"MessageRow\" height=\"20\">"
                        "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; 已保存</td>"));
  EXPECT_THAT(f_.body(), Not(HasSubstr("<script>alert")));
}

TEST_F(FunshowflowTest, AFailingCallbackIsReportedUnderFunshowflowAndTheCallReturns) {
  page_.winmenu_raises = vb::kTypeMismatch;
  show("", "", false);
  EXPECT_EQ(f_.body(),
            " <body scroll=no onresize=setmyIDWidth() >\r\n"
            "<table id=\"ViewMainTable\" width=\"100%\" height=\"100%\" border=\"0\" "
            "cellspacing=\"0\" cellpadding=\"0\">\r\n"
            "\t<tr>\r\n"
            "\t\t<td class=\"ButtonBar\" height=\"30\" nowrap>\r\n"
            "[winmenu] Error raised by winmenu LINE77 Routine : qmflobiaodantianx.funshowflow");
  EXPECT_EQ(f_.log->entries(), std::vector<std::string>{"13 raised by winmenu LINE #77 Routine : "
                                                        "qmflobiaodantianx.funshowflow"});
}

TEST_F(FunshowflowTest, APageStopInACallbackPassesThrough) {
  page_.winmenu_raises = vb::kPageStop;
  try {
    show("", "", false);
    FAIL() << "the page stop did not reach the caller";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), vb::kPageStop);
  }
  EXPECT_THAT(f_.body(), Not(HasSubstr("[showcontent]")));
  EXPECT_TRUE(f_.log->entries().empty());
}

}  // namespace
}  // namespace frames
