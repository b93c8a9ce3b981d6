#include "page/page_stop.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/eventlog/event_log.h"

namespace page {
namespace {

class PageStopTest : public ::testing::Test {
 protected:
  PageStopTest() { state_.ctx.Response = std::make_shared<platform::asp::Response>(); }

  std::shared_ptr<platform::eventlog::RecordingEventLog> log_ =
      std::make_shared<platform::eventlog::RecordingEventLog>();
  PageState state_{log_};
};

TEST_F(PageStopTest, TheMessageIsTheLastTextOfThePageAndNothingIsLogged) {
  state_.ctx.Response->write("<HTML XMLNS:MyPad><HEAD>\r\n");
  state_.ctx.top_routine("I_init", [&] {
    stop_page(state_, "参数错误！");
    state_.ctx.Response->write("never written");
  });
  EXPECT_EQ(state_.ctx.Response->body(), "<HTML XMLNS:MyPad><HEAD>\r\n参数错误！");
  EXPECT_TRUE(log_->entries().empty());
}

TEST_F(PageStopTest, PassesUnchangedThroughTheHandlersOfCalledFunctions) {
  state_.ctx.top_routine("I_init", [&] {
    state_.ctx.routine("getbumenlists", [&] {
      state_.ctx.routine("bumenparent", [&] { stop_page(state_, "错误参数！"); });
      state_.ctx.Response->write("getbumenlists went on");
    });
    state_.ctx.Response->write("I_init went on");
  });
  EXPECT_EQ(state_.ctx.Response->body(), "错误参数！");
  EXPECT_TRUE(log_->entries().empty());
}

TEST_F(PageStopTest, RaisesThePageStopNumber) {
  try {
    stop_page(state_, "");
    FAIL() << "stop_page returned";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), -19691969);
  }
}

}  // namespace
}  // namespace page
