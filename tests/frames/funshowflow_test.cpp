// The frame's optional rows, the encoded message and failing callbacks; the golden pages pin the
// frame's full text.
#include "frames/funshowflow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frames/page_callbacks.h"
#include "frames/window_init.h"
#include "library/page_context.h"
#include "platform/asp/server.h"
#include "platform/eventlog/event_log.h"
#include "support/vb_matchers.h"

namespace frames {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

// A request context with all five intrinsic objects.
struct FrameContext {
  FrameContext() : log(std::make_shared<platform::eventlog::RecordingEventLog>()), ctx(log) {
    ctx.Server = std::make_shared<platform::asp::Server>(
        ".", "/flow", std::make_shared<const platform::asp::SiblingPages>());
    ctx.Application = std::make_shared<platform::asp::Application>();
    ctx.Session = std::make_shared<platform::asp::Session>();
    ctx.Request = std::make_shared<platform::asp::Request>();
    ctx.Response = std::make_shared<platform::asp::Response>();
  }
  const std::string& body() const { return ctx.Response->body(); }

  std::shared_ptr<platform::eventlog::RecordingEventLog> log;
  library::PageContext ctx;
};

// The session's SystemURL leads the style and script addresses, by the attribute rule.
TEST(QmincfunctionwindIInit, WritesTheSystemUrlInsideItsAttributes) {
  const std::pair<const char*, const char*> urls[] = {
      {"", ""},
      {"/oa\"><script>alert(1)</script>/", "/oa&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;/"},
      {"/a?x=1&y='2'/", "/a?x=1&amp;y=&#39;2&#39;/"},
  };
  for (const auto& [url, written] : urls) {
    FrameContext f;
    if (*url) (*f.ctx.Session)["SystemURL"] = url;  // else missing: site-relative paths
    qmincfunctionwindI_init(f.ctx);
    EXPECT_THAT(f.body(), HasSubstr("<link href=\"" + std::string(written) + "Include/"));
    EXPECT_THAT(f.body(), HasSubstr("src=\"" + std::string(written) + "Include/js/"));
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
  EXPECT_TRUE(f_->log->entries().empty());
}

TEST_F(FunshowflowTest, EncodesTheRequestMessageSoItCannotInjectScript) {
  msg_ = "<script>alert(\"x\")</script> & 已保存";
  EXPECT_THAT(show("", "", false),
              HasSubstr("<td class=\"MessageRow\" height=\"20\">"
                        "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; 已保存</td>"));
  EXPECT_THAT(f_->body(), Not(HasSubstr("<script>alert")));
}

TEST_F(FunshowflowTest, AFailingCallbackIsReportedUnderFunshowflowAndTheCallReturns) {
  EXPECT_THAT(show("", "", false, vb::kTypeMismatch),
              EndsWith("nowrap>\r\n[winmenu] Error raised by winmenu LINE77 Routine : "
                       "qmflobiaodantianx.funshowflow"));
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
