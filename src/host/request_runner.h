// Runs one request of the form fill-in page end to end, as the host does for every request:
// the command line, the HTTP server and the page tests all go through run_request.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/sibling_pages.h"
#include "host/url_values.h"
#include "platform/asp/application.h"
#include "platform/asp/server.h"
#include "platform/asp/session.h"
#include "platform/eventlog/event_log.h"
#include "vb/variant.h"

namespace host {

// The virtual path of the page and its folder, against which the page's relative paths resolve.
inline constexpr const char* kPagePath = "/flow/BiaoDanTianXie.asp";
inline constexpr const char* kPageFolder = "/flow";

// What stays the same for every request of one host. Shared, read-only, by request threads.
struct HostSettings {
  // The folder that the site's "/" maps to (Server.MapPath, FlowURL.xml).
  std::string site_folder = ".";
  // Pages that Server.Execute runs.
  std::shared_ptr<const platform::asp::SiblingPages> sibling_pages = host::sibling_pages();
  // Receives the page's error entries; must not be null.
  std::shared_ptr<platform::eventlog::EventLog> event_log;
  // Fixes the clock of every date the page computes; the real clock when empty.
  std::optional<vb::Date> fixed_now;
};

// The request's values, already decoded to UTF-8 (see url_values.h).
struct RequestInput {
  ValuePairs query_string;
  ValuePairs form;
  ValuePairs cookies;
  ValuePairs server_variables;  // REMOTE_ADDR and the like
};

// What the page left for the HTTP layer.
struct PageResponse {
  std::string body;             // UTF-8, exactly as written
  std::optional<long> expires;  // Response.Expires in minutes; empty when the page never set it
};

// Runs one request: builds the intrinsic objects and the object context, creates one page
// object, calls I_init and then OnEndPage, releases the application lock if the page left it
// held, and returns the response. The caller must keep other requests of the same session out
// until it returns (SessionStore does). Never raises for what the page does: its failures are in
// the body and the event log.
PageResponse run_request(const HostSettings& settings,
                         const std::shared_ptr<platform::asp::Application>& application,
                         const std::shared_ptr<platform::asp::Session>& session,
                         const RequestInput& input);

// Runs one request for a caller that has no host: the page tests. Everything left empty gets a
// fresh default.
struct RenderOptions {
  std::string connect;  // the configuration component's ConnectString ("" none)
  std::string query;    // URL-encoded UTF-8, e.g. "BiaoDanID=1&JieDianID=2"
  std::string form;     // URL-encoded UTF-8 body
  std::string remote_addr = "127.0.0.1";
  std::optional<vb::Date> now;
  std::string site_folder = ".";
  // Shared across calls to follow an application or a session over several requests; a new
  // one when null.
  std::shared_ptr<platform::asp::Application> application;
  std::shared_ptr<platform::asp::Session> session;
  // Values stored before the request (after the objects above are chosen).
  std::vector<std::pair<std::string, vb::Variant>> application_values;
  std::vector<std::pair<std::string, vb::Variant>> session_values;
  // Receives the page's error entries; null: they are recorded into Rendered::event_log.
  std::shared_ptr<platform::eventlog::EventLog> event_log;
};

struct Rendered {
  std::string body;  // UTF-8
  std::optional<long> expires;
  std::shared_ptr<platform::asp::Session> session;  // as the request left it
  std::shared_ptr<platform::asp::Application> application;
  std::vector<std::string> event_log;  // entries the page wrote, when recorded, in order
};

// Sets the configuration component's connection string to options.connect (process-wide, so
// calls must not overlap), then runs the request with the registered sibling pages. The
// command line's render runs through here too.
Rendered render_once(const RenderOptions& options);

}  // namespace host
