// What the host answers: the page at /flow/BiaoDanTianXie.asp in its session, the site's files,
// and refusals. Knows nothing of sockets; the connections hand it requests already read.
#pragma once

#include <boost/beast/http/file_body.hpp>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/serve_options.h"
#include "host/session_store.h"
#include "host/url_values.h"

namespace host {

// The name of the cookie that carries the session id.
inline constexpr const char* kSessionCookie = "ASPSESSIONIDFLOWFORM";

// One request as it came, nothing decoded.
struct HttpRequest {
  std::string method;        // "GET", "POST", ...
  std::string target;        // as sent: "/path?query", or "http://host:port/path?query"
  std::string host;          // the Host header, "" without one
  std::string content_type;  // the header, "" without one
  std::string cookie;        // the Cookie header, "" without one
  std::string body;
  std::string remote_addr;
};

// One answer; the connection adds Content-Length and Connection.
struct HttpAnswer {
  int status = 200;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  // A site file sent as the body in place of `body` when open, read as it is sent.
  boost::beast::http::file_body::value_type file{};
};

// Plain text answers: "Not Found", "Payload Too Large", ... with Content-Type text/plain.
HttpAnswer plain_answer(int status);

// Takes the answer to one request; may be called on any thread, exactly once.
using Reply = std::function<void(HttpAnswer)>;

// Answers, on the thread that calls handle (a worker of the server):
// The path and query come from the target; an absolute-form target's authority names the server
// in place of the Host header (server variables HTTP_HOST, and SERVER_NAME without the port).
// A HEAD is answered as a GET (the connection sends no body).
// - GET or POST of the page path (percent-decoded, ASCII case ignored): the session from the
//   session cookie (a new one, with Set-Cookie, when the cookie is missing, unknown or
//   expired); a request whose session is busy waits without holding a thread and runs after
//   the ones before it. Query string and, for an application/x-www-form-urlencoded POST, the
//   body decoded as code page 936; the body sent in code page 936 as "text/html;
//   charset=gb2312"; with Response.Expires set, Cache-Control "private, max-age=<seconds>"
//   and an Expires date that many minutes ahead (for 0 or less a date in the past), else
//   "Cache-Control: private". A form of more than limits.max_form_keys keys gets 413 "Payload
//   Too Large: more than N form fields" and the page does not run.
// - GET of another path, when static files are served: the site file under the site folder
//   (404 "Not Found" when there is none, 403 "Forbidden" when the path has a ".." segment or
//   would leave the folder).
// - Any other method or path: 404 "Not Found".
// - A failure that escapes the page runner (the host's own, never the page's): 500 "Internal
//   Server Error", with an entry "flowform host: <path>: <what>" in the event log.
class HttpRoutes {
 public:
  // options, the application and the sessions must outlive the routes.
  HttpRoutes(const ServeOptions& options, std::shared_ptr<platform::asp::Application> application,
             SessionStore& sessions);

  void handle(HttpRequest request, Reply reply);

 private:
  void page(const HttpRequest& request, const std::string& path, const RequestTarget& target,
            Reply reply);
  HttpAnswer static_file(const std::string& path) const;

  const ServeOptions& options_;
  std::shared_ptr<platform::asp::Application> application_;
  SessionStore& sessions_;
};

}  // namespace host
