// The page object's slots: the library's top-level routines run on the page's own context.
#include "page/qmflobiaodantianx.h"

#include <memory>

#include "frames/window_init.h"
#include "handling/showcontent.h"
#include "handling/winmenu.h"
#include "library/formatting.h"
#include "library/request_setup.h"
#include "page/handling_view.h"
#include "platform/asp/object_context.h"

namespace page {
namespace {

// The page borrows the host's event log, which outlives it.
std::shared_ptr<platform::eventlog::EventLog> borrow(platform::eventlog::EventLog& event_log) {
  return std::shared_ptr<platform::eventlog::EventLog>(std::shared_ptr<void>(), &event_log);
}

}  // namespace

qmflobiaodantianx::qmflobiaodantianx(platform::asp::ObjectContext& objContext,
                                     platform::eventlog::EventLog& event_log,
                                     std::optional<vb::Date> fixed_now)
    : objContext(objContext), state_(borrow(event_log), fixed_now) {}

void qmflobiaodantianx::OnEndPage() {}

void qmflobiaodantianx::qmdb_connI_init() { library::qmdb_connI_init(state_.ctx); }

void qmflobiaodantianx::qmqmfunctionI_init() { library::qmqmfunctionI_init(state_.ctx); }

vb::Variant qmflobiaodantianx::RemoveHtml(vb::Variant Textstr) {
  return library::RemoveHtml(state_.ctx, std::move(Textstr));
}

void qmflobiaodantianx::qmincfunctionwindI_init() { frames::qmincfunctionwindI_init(state_.ctx); }

void qmflobiaodantianx::qmincfunctionzidiI_init() { library::qmincfunctionzidiI_init(state_.ctx); }

void qmflobiaodantianx::qmincfunctiondbI_init() { library::qmincfunctiondbI_init(state_.ctx); }

void qmflobiaodantianx::winmenu() { handling::winmenu(state_.ctx, handling_view(state_)); }

void qmflobiaodantianx::showcontent() {
  handling::showcontent(state_.ctx, handling_view(state_));
}

void qmflobiaodantianx::fetch_intrinsic_objects() {
  library::PageContext& ctx = state_.ctx;
  ctx.resume_next([&] { ctx.Server = objContext.get<platform::asp::Server>("Server"); });
  ctx.resume_next(
      [&] { ctx.Application = objContext.get<platform::asp::Application>("Application"); });
  ctx.resume_next([&] { ctx.Session = objContext.get<platform::asp::Session>("Session"); });
  ctx.resume_next([&] { ctx.Request = objContext.get<platform::asp::Request>("Request"); });
  ctx.resume_next([&] { ctx.Response = objContext.get<platform::asp::Response>("Response"); });
}

}  // namespace page
