// What a server is told when it is made: where to listen, the limits it keeps to, and how it
// runs the page.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/request_runner.h"
#include "host/session_store.h"
#include "platform/asp/application.h"

namespace host {

// Runs the page for one request in its session; run_request unless replaced.
using PageRunner = std::function<PageResponse(const std::shared_ptr<platform::asp::Application>&,
                                              const std::shared_ptr<platform::asp::Session>&,
                                              const RequestInput&)>;

// Where to listen: a host name or address, and a port (0: any free port, see bind).
struct Listen {
  std::string host = "127.0.0.1";
  int port = 8080;
};

// What one client may cost the server. A connection that overruns a time-out is closed.
struct ConnectionLimits {
  // Connections open at once; one more gets 503 "Service Unavailable" and is closed. Lowered
  // to what the process's open-file limit allows. The last eighth of them is kept for client
  // addresses that hold fewer than eight, so one busy address cannot take the last places.
  std::size_t max_connections = 10000;
  // Connections one client address may hold at once (loopback addresses too); one more gets
  // 503 and is closed.
  std::size_t max_per_address = 64;
  // Bytes of a request body; a larger one gets 413 "Payload Too Large".
  std::size_t max_body = 16 * 1024 * 1024;
  // Bytes of request bodies held at once, across every connection, counted as they arrive until
  // the answer is written (a chunked body's framing not yet parsed included). One client address
  // holds a quarter of it at most, and the last eighth is kept for bodies that announce at most a
  // 64th of that eighth (256 KB of 128 MB), or, chunked, hold no more; one address's small bodies
  // hold a 16th of the eighth at most. A body whose next bytes would pass a limit gets 503 naming
  // it.
  std::size_t body_memory = 128 * 1024 * 1024;
  // Keys of an application/x-www-form-urlencoded body; more get 413 with the cap named.
  std::size_t max_form_keys = 10000;
  // From a connection's start, or from the first byte of a later request, to the end of the
  // request head.
  std::chrono::milliseconds head_timeout = std::chrono::seconds(10);
  // From the same start to the end of the body: the whole request.
  std::chrono::milliseconds request_timeout = std::chrono::seconds(60);
  // A request must keep up this many bytes a second, head and body together, once rate_grace
  // has passed: it has rate_grace, plus a second for each min_rate bytes it sent. Its answer
  // likewise, by the bytes the client acknowledged, and each piece of it must be taken within
  // rate_grace. 0: no rate.
  std::size_t min_rate = 500;
  std::chrono::milliseconds rate_grace = std::chrono::seconds(10);
  // The longest wait for the next bytes of a body, or for the client to take the next piece of
  // the answer.
  std::chrono::milliseconds body_timeout = std::chrono::seconds(30);
  // How long a kept-alive connection may wait for its next request.
  std::chrono::milliseconds idle_timeout = std::chrono::seconds(30);
};

struct ServeOptions {
  Listen listen;
  ConnectionLimits limits;
  // Site folder, event log, clock and sibling pages of every request.
  HostSettings settings;
  // Whether other paths are served as files of settings.site_folder.
  bool serve_static_files = false;
  // Application values set before the first request.
  std::vector<std::pair<std::string, vb::Variant>> application_values;
  // Gives each new session its first values (demo only).
  SessionStore::Initializer new_session;
  std::size_t max_sessions = SessionStore::kDefaultMaxSessions;
  std::size_t max_anonymous_sessions = SessionStore::kDefaultMaxAnonymousSessions;
  PageRunner page_runner;
  std::size_t threads = 0;  // threads that run pages; 0: the machine's cores
};

}  // namespace host
