// A request context with all five intrinsic objects for the frame tests, and a page whose
// callbacks leave a mark in the response.
#pragma once

#include <memory>
#include <string>

#include "frames/page_callbacks.h"
#include "library/page_context.h"
#include "platform/asp/server.h"
#include "platform/eventlog/event_log.h"
#include "vb/error.h"

namespace frames {

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

}  // namespace frames
