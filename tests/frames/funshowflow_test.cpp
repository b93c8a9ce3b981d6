// The frame's optional rows, the encoded message and failing callbacks; the golden pages pin the
// frame's full text.
#include "frames/funshowflow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frames/page_callbacks.h"
#include "frames/window_init.h"
#include "library/library_fixture.h"

namespace frames {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

using FramesTest = library_test::LibraryTest;

// The session's SystemURL leads the style and script addresses, by the attribute rule.
TEST_F(FramesTest, WindowInitWritesTheSystemUrlInsideItsAttributes) {
  const std::pair<const char*, const char*> urls[] = {
      {"", ""},
      {"/oa\"></script>?x=1&y='2'/", "/oa&quot;&gt;&lt;/script&gt;?x=1&amp;y=&#39;2&#39;/"},
  };
  for (const auto& [url, written] : urls) {
    reset();
    if (*url) (*ctx().Session)["SystemURL"] = url;  // else missing: site-relative paths
    qmincfunctionwindI_init(ctx());
    EXPECT_THAT(page(), HasSubstr("<link href=\"" + std::string(written) + "Include/"));
    EXPECT_THAT(page(), HasSubstr("src=\"" + std::string(written) + "Include/js/"));
  }
}

// Writes "[winmenu]" and "[showcontent]" when called back; a callback may be told to raise.
class MarkingPage final : public PageCallbacks {
 public:
  explicit MarkingPage(library::PageContext& ctx) : ctx_(ctx) {}
  void winmenu() override {
    ctx_.Response->write("[winmenu]");
    if (winmenu_raises != 0) throw vb::VbError(winmenu_raises, "raised by winmenu", 77L);
  }
  void showcontent() override { ctx_.Response->write("[showcontent]"); }

  long winmenu_raises = 0;

 private:
  library::PageContext& ctx_;
};

class FunshowflowTest : public FramesTest {
 protected:
  // A fresh page on each call, so that a test may show several frames.
  const std::string& show(vb::Variant title, vb::Variant caption, vb::Variant showSearch,
                          long winmenu_raises = 0) {
    reset();
    if (!msg_.empty()) ctx().Request->add_query_string("msg", msg_);
    MarkingPage marking(ctx());
    marking.winmenu_raises = winmenu_raises;
    vb::Variant fourth = false;
    funshowflow(ctx(), title, caption, showSearch, fourth, marking);
    return page();
  }

  std::string msg_;
};

TEST_F(FunshowflowTest, EmptyTitlesLeaveOutTheirRowsAndShowSearchAddsThePager) {
  const struct {
    vb::Variant title, caption, showSearch;
    bool bar, band, pager;
  } cases[] = {{"工作流管理", "流程办理", false, true, true, false},
               {"", "流程办理", "False", false, true, false},
               {"工作流管理", vb::Null, false, true, false, false},
               {vb::Variant(), "", true, false, false, true}};
  for (const auto& c : cases) {
    const std::string& body = show(c.title, c.caption, c.showSearch);
    EXPECT_EQ(body.find("\"TitleBar\"") != body.npos, c.bar);
    EXPECT_EQ(body.find("\"TitleBand\"") != body.npos, c.band);
    EXPECT_EQ(body.find("<tr id=\"searchform\">") != body.npos, c.pager);
    EXPECT_THAT(body, EndsWith("</tr>\r\n</table>\r\n"));
  }
  EXPECT_TRUE(logged().empty());
}

TEST_F(FunshowflowTest, EncodesTheRequestMessageSoItCannotInjectScript) {
  msg_ = "<script>alert(\"x\")</script> & 已保存";
  EXPECT_THAT(show("", "", false),
              HasSubstr("<td class=\"MessageRow\" height=\"20\">"
                        "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; 已保存</td>"));
  EXPECT_THAT(page(), Not(HasSubstr("<script>alert")));
}

TEST_F(FunshowflowTest, AFailingCallbackIsReportedUnderFunshowflowAndTheCallReturns) {
  EXPECT_THAT(show("", "", false, vb::kTypeMismatch),
              EndsWith("nowrap>\r\n[winmenu] Error raised by winmenu LINE77 Routine : "
                       "qmflobiaodantianx.funshowflow"));
  EXPECT_EQ(logged(), std::vector<std::string>{"13 raised by winmenu LINE #77 Routine : "
                                               "qmflobiaodantianx.funshowflow"});
}

TEST_F(FunshowflowTest, APageStopInACallbackPassesThrough) {
  EXPECT_VB_ERROR(vb::kPageStop, show("", "", false, vb::kPageStop));
  EXPECT_THAT(page(), Not(HasSubstr("[showcontent]")));
  EXPECT_TRUE(logged().empty());
}

}  // namespace
}  // namespace frames
