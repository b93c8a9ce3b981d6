// The page object of the form fill-in page: the host creates one per request, calls I_init,
// which writes the whole page, and then OnEndPage.
#pragma once

#include <optional>

#include "frames/page_callbacks.h"
#include "page/page_state.h"
#include "vb/variant.h"

namespace platform::asp {
class ObjectContext;
}
namespace platform::eventlog {
class EventLog;
}

namespace page {

// Not thread-safe; one instance serves one request. The object context and the event log must
// outlive the page object. `fixed_now` fixes the clock of every date the page computes.
class qmflobiaodantianx final : public frames::PageCallbacks {
 public:
  qmflobiaodantianx(platform::asp::ObjectContext& objContext,
                    platform::eventlog::EventLog& event_log,
                    std::optional<vb::Date> fixed_now = std::nullopt);

  qmflobiaodantianx(const qmflobiaodantianx&) = delete;
  qmflobiaodantianx& operator=(const qmflobiaodantianx&) = delete;

  // The public slots, in the order the host's interface lists them.

  // Writes nothing and changes nothing.
  void OnEndPage();
  // The page body: fetches the intrinsic objects, runs the library set-up and then the phases
  // of the page in order. Never raises: failures are written and logged, a page stop ends quietly.
  void I_init();
  // Request set-up: time-outs, code page, the connection, the login redirect.
  void qmdb_connI_init();
  // Clears the tree accumulators.
  void qmqmfunctionI_init();
  // Strips HTML from Textstr (see library/formatting.h).
  vb::Variant RemoveHtml(vb::Variant Textstr);
  // Writes the meta tag, style and script links that stand before the page's first line.
  void qmincfunctionwindI_init();
  // Top-level routines of the dictionary and look-up libraries; each writes an empty string.
  void qmincfunctionzidiI_init();
  void qmincfunctiondbI_init();

 private:
  // Called back by the page frame in its button-bar cell and its content area.
  void winmenu() override;
  void showcontent() override;

  void fetch_intrinsic_objects();

  platform::asp::ObjectContext& objContext;
  PageState state_;
};

}  // namespace page
