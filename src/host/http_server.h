// The HTTP host: serves the form fill-in page at /flow/BiaoDanTianXie.asp with sessions by
// cookie and code page 936 on the wire, and the site's static files.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/request_runner.h"
#include "host/session_store.h"
#include "platform/asp/application.h"

namespace httplib {
class Server;
}

namespace host {

// The name of the cookie that carries the session id.
inline constexpr const char* kSessionCookie = "ASPSESSIONIDFLOWFORM";

// Runs the page for one request in its session; run_request unless replaced.
using PageRunner = std::function<PageResponse(const std::shared_ptr<platform::asp::Application>&,
                                              const std::shared_ptr<platform::asp::Session>&,
                                              const RequestInput&)>;

// Where to listen: a host name or address, and a port (0: any free port, see bind).
struct Listen {
  std::string host = "127.0.0.1";
  int port = 8080;
};

// "http://HOST:PORT" (an IPv6 address in brackets) for the listen host and the bound port.
std::string base_url(const Listen& listen, int port);

struct ServeOptions {
  Listen listen;
  // Site folder, event log, clock and sibling pages of every request.
  HostSettings settings;
  // Whether other paths are served as files of settings.site_folder.
  bool serve_static_files = false;
  // Application values set before the first request.
  std::vector<std::pair<std::string, vb::Variant>> application_values;
  // Gives each new session its first values (demo only).
  SessionStore::Initializer new_session;
  PageRunner page_runner;
  std::size_t threads = 0;  // worker threads; 0: max(8, the machine's cores)
};

// Request handling, per request on a worker thread:
// - GET or POST of the page path (ASCII case ignored): the session from the session cookie
//   (a new one, with Set-Cookie, when the cookie is missing, unknown or expired), waiting while
//   another request of the session runs; query string and, for an
//   application/x-www-form-urlencoded POST, the body decoded as code page 936; the body sent
//   in code page 936 as "text/html; charset=gb2312"; with Response.Expires set, Cache-Control
//   "private, max-age=<seconds>" and an Expires date that many minutes ahead (for 0 or less a
//   date in the past), else "Cache-Control: private".
// - GET of another path, when static files are served: the site file under the site folder
//   (404 "Not Found" when there is none, 403 "Forbidden" when the path has a ".." segment or
//   would leave the folder).
// - Any other method or path: 404 "Not Found".
// - A failure that escapes the page runner (the host's own, never the page's): 500 "Internal
//   Server Error", with an entry "flowform host: <path>: <what>" in the event log.
class HttpServer {
 public:
  explicit HttpServer(ServeOptions options);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds and listens on options.listen. Returns the port, or -1 when the
  // address cannot be bound.
  int bind();
  // Accepts requests until stop(); call after a successful bind. Returns false on failure.
  bool run();
  // True from the moment run() accepts requests until it returns.
  bool is_running() const;
  // Ends run() from any thread; requests in progress finish first. Stopping before run()
  // accepts requests has no effect.
  void stop();
  // bind, then on_listening(port), then run: the command line's loop. Returns 0 after stop(),
  // 1 (with a message on err) when the address cannot be bound or listening fails.
  int serve(std::ostream& err, const std::function<void(int port)>& on_listening);

  SessionStore& sessions() { return sessions_; }
  platform::asp::Application& application() { return *application_; }

 private:
  void install_routes();

  ServeOptions options_;
  std::shared_ptr<platform::asp::Application> application_;
  SessionStore sessions_;
  std::unique_ptr<httplib::Server> server_;
};

}  // namespace host
