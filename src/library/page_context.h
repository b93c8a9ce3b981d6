// The request context that the page hands to library and frame functions: the intrinsic
// objects, the event log, the clock, the shared working variables and the error convention.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/asp/application.h"
#include "platform/asp/request.h"
#include "platform/asp/response.h"
#include "platform/asp/server.h"
#include "platform/asp/session.h"
#include "platform/eventlog/event_log.h"
#include "vb/error.h"
#include "vb/variant.h"

namespace library {

class FunctionRef;

// A callable that can stand as the body of a routine: any `void()` callable but a FunctionRef.
template <class F>
concept RoutineBody =
    !std::is_same_v<std::remove_cvref_t<F>, FunctionRef> && std::is_invocable_v<F&>;

// A borrowed `void()` callable: the body of a routine, called at once and never stored, so
// passing a lambda costs no allocation.
class FunctionRef {
 public:
  template <RoutineBody F>
  FunctionRef(F&& f)  // implicit, so a lambda is passed as it is
      : callable_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
        call_([](void* callable) { (*static_cast<std::remove_reference_t<F>*>(callable))(); }) {}

  void operator()() const { call_(callable_); }

 private:
  void* callable_;
  void (*call_)(void*);
};

// One per request, owned by the page object; used by one thread.
class PageContext {
 public:
  // event_log receives the entries of handled failures (never null); fixed_now: the time every
  // date of the request is computed from, when the host fixes it.
  explicit PageContext(std::shared_ptr<platform::eventlog::EventLog> event_log,
                       std::optional<vb::Date> fixed_now = std::nullopt);

  // The intrinsic objects, fetched by the page at the start of I_init; null until then (or
  // when fetching one failed).
  std::shared_ptr<platform::asp::Server> Server;
  std::shared_ptr<platform::asp::Application> Application;
  std::shared_ptr<platform::asp::Session> Session;
  std::shared_ptr<platform::asp::Request> Request;
  std::shared_ptr<platform::asp::Response> Response;

  platform::eventlog::EventLog& event_log() const { return *event_log_; }

  // The current local time as a Date, or the fixed time when the host gave one.
  vb::Variant Now() const;

  // Request set-up: the connection, the configuration component while it is read, the session
  // time-out and the recordset that reads it.
  vb::Variant conn, connobj, TimeOut, rsAnQuan;
  // SQL text of the current query; overwritten by most functions that query.
  vb::Variant sql, strsql;
  // Loop counters shared by page and library: a nested call changes its caller's counter.
  vb::Variant ii, jj, kk;
  // Accumulators of the recursive tree walks.
  vb::Variant departmentchildlists, parentlists, folderparentlists, reqtypechildlists, bumenlists;

  // Runs body under the error handler of the routine `name` (its name as the page calls it).
  // The page-stop signal passes on unchanged. Any other VbError, or std::exception (taken as 7
  // "Out of memory" for bad_alloc, else 51 "Internal error", line 0), is logged as
  // "<number> <description> LINE #<line> Routine : qmflobiaodantianx.<name>", written into the
  // page as " Error <description> LINE<line> Routine : qmflobiaodantianx.<name>" (<line> in the
  // page's running numbering, see library/error_lines.h), and the
  // routine returns normally, leaving whatever the body had assigned.
  void routine(std::string_view name, FunctionRef body);

  // The same for the six routines the host or the entry method calls at the top (I_init,
  // qmdb_connI_init, qmqmfunctionI_init, qmincfunctionwindI_init, qmincfunctionzidiI_init,
  // qmincfunctiondbI_init): the page-stop signal ends them quietly, writing and logging nothing.
  void top_routine(std::string_view name, FunctionRef body);

  // Runs one statement that may fail: a failure is skipped silently (nothing written or
  // logged) and the caller goes on. The page-stop signal is not a failure of the statement and
  // passes on unchanged.
  void resume_next(FunctionRef body);

 private:
  void report(std::string_view name, const vb::VbError& error);

  std::shared_ptr<platform::eventlog::EventLog> event_log_;
  std::optional<vb::Date> fixed_now_;
};

}  // namespace library
