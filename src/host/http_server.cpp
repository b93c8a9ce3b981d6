// The HTTP host over cpp-httplib: the page route, sessions by cookie and the site's files.
#include "host/http_server.h"

#include <httplib.h>

#include <algorithm>
#include <ctime>
#include <ostream>
#include <thread>

#include "vb/codepage.h"
#include "host/static_files.h"
#include "host/url_values.h"
#include "platform/asp/keys.h"

namespace host {
namespace {

// An HTTP date (RFC 9110 IMF-fixdate) of a system time.
std::string http_date(std::time_t when) {
  std::tm parts{};
  gmtime_r(&when, &parts);
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[parts.tm_wday],
                parts.tm_mday, kMonths[parts.tm_mon], parts.tm_year + 1900, parts.tm_hour,
                parts.tm_min, parts.tm_sec);
  return text;
}

void set_expiry(httplib::Response& res, std::optional<long> expires) {
  if (!expires) {
    res.set_header("Cache-Control", "private");
    return;
  }
  long minutes = std::clamp(*expires, -525600L, 525600L);  // a year either way is plenty
  std::time_t now = std::time(nullptr);
  // Expires 0 means "expired at once"; a date one day back is past for any client clock skew.
  std::time_t at = minutes > 0 ? now + minutes * 60 : now - 86400 + minutes * 60;
  res.set_header("Cache-Control", "private, max-age=" + std::to_string(std::max(minutes, 0L) * 60));
  res.set_header("Expires", http_date(at));
}

void not_found(httplib::Response& res) {
  res.status = 404;
  res.set_content("Not Found", "text/plain");
}

RequestInput request_input(const httplib::Request& req, const ValuePairs& cookies) {
  RequestInput input;
  std::string_view target = req.target;
  size_t question = target.find('?');
  std::string_view query = question == std::string_view::npos ? "" : target.substr(question + 1);
  input.query_string = parse_urlencoded(query, Charset::cp936);
  if (req.method == "POST" &&
      req.get_header_value("Content-Type").starts_with("application/x-www-form-urlencoded")) {
    input.form = parse_urlencoded(req.body, Charset::cp936);
  }
  for (const auto& [name, value] : cookies) {
    if (name != kSessionCookie) input.cookies.emplace_back(name, value);
  }
  input.server_variables = {{"REMOTE_ADDR", req.remote_addr},
                            {"REQUEST_METHOD", req.method},
                            {"QUERY_STRING", std::string(query)},
                            {"SCRIPT_NAME", kPagePath}};
  return input;
}

std::string session_cookie_of(const ValuePairs& cookies) {
  for (const auto& [name, value] : cookies) {
    if (name == kSessionCookie) return value;
  }
  return {};
}

}  // namespace

std::string base_url(const Listen& listen, int port) {
  const bool ipv6 = listen.host.find(':') != std::string::npos;
  return "http://" + (ipv6 ? "[" + listen.host + "]" : listen.host) + ":" + std::to_string(port);
}

HttpServer::HttpServer(ServeOptions options)
    : options_(std::move(options)),
      application_(std::make_shared<platform::asp::Application>()),
      sessions_(options_.new_session),
      server_(std::make_unique<httplib::Server>()) {
  for (const auto& [key, value] : options_.application_values) application_->set(key, value);
  if (!options_.page_runner) {
    options_.page_runner = [settings = options_.settings](
                               const std::shared_ptr<platform::asp::Application>& application,
                               const std::shared_ptr<platform::asp::Session>& session,
                               const RequestInput& input) {
      return run_request(settings, application, session, input);
    };
  }
  std::size_t threads = options_.threads != 0
                            ? options_.threads
                            : std::max<std::size_t>(8, std::thread::hardware_concurrency());
  server_->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server_->set_keep_alive_max_count(1000);
  // Headers and body go out in separate writes; without this each answer waits for the
  // client's delayed acknowledgement (about 40 ms).
  server_->set_tcp_nodelay(true);
  server_->set_payload_max_length(16 * 1024 * 1024);
  install_routes();
}

HttpServer::~HttpServer() { stop(); }

int HttpServer::bind() {
  const Listen& at = options_.listen;
  if (at.port == 0) return server_->bind_to_any_port(at.host);
  return server_->bind_to_port(at.host, at.port) ? at.port : -1;
}

bool HttpServer::run() { return server_->listen_after_bind(); }

bool HttpServer::is_running() const { return server_->is_running(); }

void HttpServer::stop() { server_->stop(); }

int HttpServer::serve(std::ostream& err, const std::function<void(int port)>& on_listening) {
  int port = bind();
  if (port < 0) {
    err << "flowform: cannot listen on " << base_url(options_.listen, options_.listen.port) << "\n";
    return 1;
  }
  on_listening(port);
  if (!run()) {
    err << "flowform: the server stopped with an error\n";
    return 1;
  }
  return 0;
}

void HttpServer::install_routes() {
  auto page = [this](const httplib::Request& req, httplib::Response& res) {
    ValuePairs cookies = parse_cookie_header(req.get_header_value("Cookie"), Charset::cp936);
    RequestInput input = request_input(req, cookies);
    PageResponse response;
    {
      SessionStore::Lease lease = sessions_.acquire(session_cookie_of(cookies));
      response = options_.page_runner(application_, lease.session(), input);
      if (lease.is_new()) {
        res.set_header("Set-Cookie",
                       std::string(kSessionCookie) + "=" + lease.id() + "; path=/; HttpOnly");
      }
    }
    set_expiry(res, response.expires);
    // Assigned rather than passed to set_content, which would copy the whole page once more.
    res.body = vb::to_cp936(response.body);
    res.set_header("Content-Type", "text/html; charset=gb2312");
  };
  auto other = [this, page](const httplib::Request& req, httplib::Response& res) {
    if (platform::asp::same_key(req.path, kPagePath)) return page(req, res);
    if (req.method == "POST" || !options_.serve_static_files) return not_found(res);
    StaticFile file = find_static_file(options_.settings.site_folder, req.path);
    switch (file.outcome) {
      case StaticFile::Outcome::found:
        res.set_content(std::move(file.content), file.content_type);
        break;
      case StaticFile::Outcome::forbidden:
        res.status = 403;
        res.set_content("Forbidden", "text/plain");
        break;
      case StaticFile::Outcome::not_found:
        not_found(res);
        break;
    }
  };
  // The page never raises; what escapes is a failure of the host itself.
  server_->set_exception_handler([log = options_.settings.event_log](const httplib::Request& req,
                                                                     httplib::Response& res,
                                                                     std::exception_ptr failure) {
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& e) {
      if (log) log->write_error("flowform host: " + req.path + ": " + e.what());
    }
    res.status = 500;
    res.set_content("Internal Server Error", "text/plain");
  });
  server_->Get(".*", other);
  server_->Post(".*", other);
  // Methods without a route (PUT, DELETE...) get httplib's own 400/404 answers.
}

}  // namespace host
