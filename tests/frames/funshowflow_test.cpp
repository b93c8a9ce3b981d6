#include "frames/funshowflow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frames/frame_fixture.h"
#include "support/client_script.h"
#include "support/vb_matchers.h"

namespace frames {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kBodyToButtonBar[] =
    " <body scroll=no onresize=setmyIDWidth() >\r\n"
    "<table id=\"ViewMainTable\" width=\"100%\" height=\"100%\" border=\"0\" cellspacing=\"0\" "
    "cellpadding=\"0\">\r\n";
constexpr char kTitleBar[] =
    "\t<tr>\r\n"
    "\t\t<td class=\"TitleBar\" height=\"25\" nowrap>&nbsp;工作流管理</td>\r\n"
    "\t</tr>\r\n";
constexpr char kTitleBand[] =
    "\t<tr>\r\n"
    "\t\t<td class=\"TitleBand\" height=\"25\" nowrap>&nbsp;流程办理</td>\r\n"
    "\t</tr>\r\n";
constexpr char kButtonBarToMessage[] =
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
    "\t\t<td class=\"MessageRow\" height=\"20\">";
constexpr char kEnd[] =
    "</td>\r\n"
    "\t</tr>\r\n"
    "</table>\r\n";
constexpr char kPager[] =
    "\t<tr id=\"searchform\">\r\n"
    "\t\t<td class=\"Pager\" height=\"24\" align=\"right\" nowrap></td>\r\n"
    "\t</tr>\r\n";

class FunshowflowTest : public ::testing::Test {
 protected:
  // A fresh page on each call, so that a test may show several frames.
  const std::string& show(vb::Variant title, vb::Variant caption, vb::Variant showSearch,
                          long winmenu_raises = 0) {
    f_ = std::make_unique<FrameContext>();
    if (!msg_.empty()) f_->ctx.Request->add_query_string("msg", msg_);
    MarkingPage page(f_->ctx);
    page.winmenu_raises = winmenu_raises;
    vb::Variant fourth = false;
    funshowflow(f_->ctx, title, caption, showSearch, fourth, page);
    return f_->body();
  }

  std::string msg_;
  std::unique_ptr<FrameContext> f_;
};

TEST_F(FunshowflowTest, WritesTheFrameAroundBothCallbacksLeavingOutEmptyTitles) {
  const std::string head = kBodyToButtonBar, bar = kTitleBar, band = kTitleBand;
  const std::string tail = std::string(kButtonBarToMessage) + kEnd;
  EXPECT_EQ(show("工作流管理", "流程办理", false), head + bar + band + tail);
  EXPECT_EQ(show("", "流程办理", false), head + band + tail);
  EXPECT_EQ(show("工作流管理", "", "False"), head + bar + tail);
  EXPECT_EQ(show(vb::Variant(), vb::Null, false), head + tail);
  EXPECT_EQ(show("", "", true),
            head + kButtonBarToMessage + "</td>\r\n\t</tr>\r\n" + kPager + "</table>\r\n");
  EXPECT_TRUE(f_->log->entries().empty());
  test_support::expect_javascript_parses(tail);
}

TEST_F(FunshowflowTest, EncodesTheRequestMessageSoItCannotInjectScript) {
  msg_ = "<script>alert(\"x\")</script> & 已保存";
  EXPECT_THAT(show("", "", false),
              HasSubstr("<td class=\"MessageRow\" height=\"20\">"
                        "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; 已保存</td>"));
  EXPECT_THAT(f_->body(), Not(HasSubstr("<script>alert")));
}

TEST_F(FunshowflowTest, AFailingCallbackIsReportedUnderFunshowflowAndTheCallReturns) {
  EXPECT_EQ(show("", "", false, vb::kTypeMismatch),
            std::string(kBodyToButtonBar) +
                "\t<tr>\r\n"
                "\t\t<td class=\"ButtonBar\" height=\"30\" nowrap>\r\n"
                "[winmenu] Error raised by winmenu LINE77 Routine : qmflobiaodantianx.funshowflow");
  EXPECT_EQ(f_->log->entries(), std::vector<std::string>{"13 raised by winmenu LINE #77 Routine : "
                                                         "qmflobiaodantianx.funshowflow"});
}

TEST_F(FunshowflowTest, APageStopInACallbackPassesThrough) {
  EXPECT_VB_ERROR(vb::kPageStop, show("", "", false, vb::kPageStop));
  EXPECT_THAT(f_->body(), Not(HasSubstr("[showcontent]")));
  EXPECT_TRUE(f_->log->entries().empty());
}

}  // namespace
}  // namespace frames
