#include "page/page_stop.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/eventlog/event_log.h"

namespace page {
namespace {

TEST(PageStop, TheMessageIsTheLastTextOfThePageAndNothingIsLogged) {
  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  PageState state(log);
  state.ctx.Response = std::make_shared<platform::asp::Response>();
  state.ctx.Response->write("<HTML XMLNS:MyPad><HEAD>\r\n");
  state.ctx.top_routine("I_init", [&] {
    state.ctx.routine("getbumenlists", [&] {
      state.ctx.routine("bumenparent", [&] { stop_page(state, "参数错误！"); });
      state.ctx.Response->write("getbumenlists went on");
    });
    state.ctx.Response->write("I_init went on");
  });
  EXPECT_EQ(state.ctx.Response->body(), "<HTML XMLNS:MyPad><HEAD>\r\n参数错误！");
  EXPECT_TRUE(log->entries().empty());
}

}  // namespace
}  // namespace page
