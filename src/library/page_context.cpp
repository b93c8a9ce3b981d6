// The error convention of every routine of the page object, and the request's clock.
#include "library/page_context.h"

#include <new>
#include <string>

#include "library/error_lines.h"
#include "vb/builtins.h"

namespace library {
namespace {

constexpr std::string_view kRoutine = " Routine : qmflobiaodantianx.";

// What a routine's handler sees of an exception that is not a VbError: no line is known.
vb::VbError as_vb_error(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
    return vb::VbError(7, "Out of memory", 0L);
  }
  return vb::VbError(51, "Internal error", 0L);
}

}  // namespace

PageContext::PageContext(std::shared_ptr<platform::eventlog::EventLog> event_log,
                         std::optional<vb::Date> fixed_now)
    : event_log_(std::move(event_log)), fixed_now_(fixed_now) {}

vb::Variant PageContext::Now() const { return fixed_now_ ? vb::Variant(*fixed_now_) : vb::Now(); }

void PageContext::report(std::string_view name, const vb::VbError& error) {
  const std::string line = std::to_string(page_line(error.file(), error.line()));
  std::string entry = std::to_string(error.number());
  entry.append(" ").append(error.description()).append(" LINE #").append(line);
  entry.append(kRoutine).append(name);
  event_log_->write_error(entry);

  if (Response) {
    std::string text = " Error ";
    text.append(error.description()).append(" LINE").append(line);
    text.append(kRoutine).append(name);
    Response->write(std::string_view(text));
  }
}

void PageContext::routine(std::string_view name, FunctionRef body) {
  try {
    body();
  } catch (const vb::VbError& e) {
    if (e.is_page_stop()) throw;
    report(name, e);
  } catch (const std::exception& e) {
    report(name, as_vb_error(e));
  }
}

void PageContext::top_routine(std::string_view name, FunctionRef body) {
  try {
    body();
  } catch (const vb::VbError& e) {
    if (!e.is_page_stop()) report(name, e);
  } catch (const std::exception& e) {
    report(name, as_vb_error(e));
  }
}

void PageContext::resume_next(FunctionRef body) {
  try {
    body();
  } catch (const vb::VbError& e) {
    if (e.is_page_stop()) throw;
  } catch (const std::exception&) {
    // Skipped like any other failure of the statement.
  }
}

}  // namespace library
