// The HTTP host: serves the form fill-in page at /flow/BiaoDanTianXie.asp with sessions by
// cookie and code page 936 on the wire, and the site's static files (see http_routes.h for the
// answers). Event-driven: a few threads (a quarter of the cores) wait on every connection, so
// an idle or slow client costs a file descriptor and never a thread; pages run on a pool of
// worker threads.
#pragma once

#include <atomic>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "host/serve_options.h"
#include "host/session_store.h"
#include "platform/asp/application.h"

namespace host {

class HttpRoutes;

// "http://HOST:PORT" (an IPv6 address in brackets) for the listen host and the bound port.
std::string base_url(const Listen& listen, int port);

class HttpServer {
 public:
  explicit HttpServer(ServeOptions options);
  // Stops the server, then waits for the pages still running.
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds and listens on options.listen. Returns the port, or -1 when the address cannot be
  // bound, with the system's reason ("Address already in use") in *why when given. A port
  // that another socket listens on is refused, whichever program holds it.
  int bind(std::string* why = nullptr);
  // Accepts requests until stop(); call after a successful bind. Returns false on failure.
  bool run();
  // True from the moment run() accepts requests until it returns.
  bool is_running() const;
  // Ends run() from any thread: no more connections are accepted and open ones are no
  // longer served. Stopping before run() accepts requests has no effect.
  void stop();
  // bind, then on_listening(port), then run: the command line's loop. Returns 0 after stop(),
  // 1 (with a message on err) when the address cannot be bound or listening fails.
  int serve(std::ostream& err, const std::function<void(int port)>& on_listening);

  SessionStore& sessions() { return sessions_; }
  platform::asp::Application& application() { return *application_; }

 private:
  struct Network;

  ServeOptions options_;
  std::shared_ptr<platform::asp::Application> application_;
  // Destroyed last: the sessions and the workers may hold connections that refer to it.
  std::unique_ptr<Network> network_;
  SessionStore sessions_;
  std::unique_ptr<HttpRoutes> routes_;
  std::atomic<bool> running_{false};
};

}  // namespace host
