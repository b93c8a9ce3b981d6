// The host's routes: the page in its session, the site's files, and the plain refusals.
#include "host/http_routes.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>
#include <utility>

#include "host/static_files.h"
#include "platform/asp/keys.h"
#include "vb/codepage.h"

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

void set_expiry(HttpAnswer& answer, std::optional<long> expires) {
  if (!expires) {
    answer.headers.emplace_back("Cache-Control", "private");
    return;
  }
  long minutes = std::clamp(*expires, -525600L, 525600L);  // a year either way is plenty
  std::time_t now = std::time(nullptr);
  // Expires 0 means "expired at once"; a date one day back is past for any client clock skew.
  std::time_t at = minutes > 0 ? now + minutes * 60 : now - 86400 + minutes * 60;
  answer.headers.emplace_back("Cache-Control",
                              "private, max-age=" + std::to_string(std::max(minutes, 0L) * 60));
  answer.headers.emplace_back("Expires", http_date(at));
}

bool has_form(const HttpRequest& request) {
  return request.method == "POST" &&
         request.content_type.starts_with("application/x-www-form-urlencoded");
}

// "host" of "host:port", "[::1]" of "[::1]:port".
std::string_view without_port(std::string_view authority) {
  const size_t colon = authority.rfind(':');
  const size_t bracket = authority.rfind(']');
  const bool has_port =
      colon != std::string_view::npos && (bracket == std::string_view::npos || bracket < colon);
  return has_port ? authority.substr(0, colon) : authority;
}

RequestInput request_input(const HttpRequest& request, const RequestTarget& target,
                           const ValuePairs& cookies) {
  RequestInput input;
  input.query_string = parse_urlencoded(target.query, Charset::cp936);
  if (has_form(request)) input.form = parse_urlencoded(request.body, Charset::cp936);
  for (const auto& [name, value] : cookies) {
    if (name != kSessionCookie) input.cookies.emplace_back(name, value);
  }
  const std::string_view host = target.authority.empty() ? request.host : target.authority;
  input.server_variables = {{"REMOTE_ADDR", request.remote_addr},
                            {"REQUEST_METHOD", request.method},
                            {"QUERY_STRING", std::string(target.query)},
                            {"SCRIPT_NAME", kPagePath},
                            {"HTTP_HOST", std::string(host)},
                            {"SERVER_NAME", std::string(without_port(host))}};
  return input;
}

std::string session_cookie_of(const ValuePairs& cookies) {
  for (const auto& [name, value] : cookies) {
    if (name == kSessionCookie) return value;
  }
  return {};
}

}  // namespace

HttpAnswer plain_answer(int status) {
  static constexpr std::pair<int, const char*> kTexts[] = {
      {400, "Bad Request"},
      {403, "Forbidden"},
      {404, "Not Found"},
      {413, "Payload Too Large"},
      {431, "Request Header Fields Too Large"},
      {501, "Not Implemented"},
      {503, "Service Unavailable"},
  };
  for (const auto& [code, text] : kTexts) {
    if (code == status) return HttpAnswer{status, {{"Content-Type", "text/plain"}}, text};
  }
  return HttpAnswer{500, {{"Content-Type", "text/plain"}}, "Internal Server Error"};
}

HttpRoutes::HttpRoutes(const ServeOptions& options,
                       std::shared_ptr<platform::asp::Application> application,
                       SessionStore& sessions)
    : options_(options), application_(std::move(application)), sessions_(sessions) {}

void HttpRoutes::handle(HttpRequest request, Reply reply) {
  const RequestTarget target = split_target(request.target);
  const std::string path = percent_decode(target.path);
  // A HEAD is routed as a GET; the connection leaves its answer's body out.
  const bool get = request.method == "GET" || request.method == "HEAD";
  const bool post = request.method == "POST";
  if ((get || post) && platform::asp::same_key(path, kPagePath)) {
    return page(request, path, target, std::move(reply));
  }
  reply(get && options_.serve_static_files ? static_file(path) : plain_answer(404));
}

void HttpRoutes::page(const HttpRequest& request, const std::string& path,
                      const RequestTarget& target, Reply reply) {
  // Counted before a key is decoded: a million short keys cost far more than their bytes.
  const std::size_t max_keys = options_.limits.max_form_keys;
  if (has_form(request) && count_urlencoded(request.body) > max_keys) {
    HttpAnswer refused = plain_answer(413);
    refused.body += ": more than " + std::to_string(max_keys) + " form fields";
    return reply(std::move(refused));
  }
  const ValuePairs cookies = parse_cookie_header(request.cookie, Charset::cp936);
  auto input = std::make_shared<const RequestInput>(request_input(request, target, cookies));
  sessions_.acquire(
      session_cookie_of(cookies), request.remote_addr,
      [this, input, reply, path](SessionStore::Lease lease) {
        HttpAnswer answer;
        try {
          PageResponse response = options_.page_runner(application_, lease.session(), *input);
          if (lease.is_new()) {
            answer.headers.emplace_back("Set-Cookie", std::string(kSessionCookie) + "=" +
                                                          lease.id() + "; path=/; HttpOnly");
          }
          // Ends the request's hold now: the next request of the session need not wait for the
          // encoding and the sending.
          { SessionStore::Lease done = std::move(lease); }
          set_expiry(answer, response.expires);
          answer.headers.emplace_back("Content-Type", "text/html; charset=gb2312");
          answer.body = vb::to_cp936(response.body);
        } catch (const std::exception& e) {
          // The page never raises; what escapes is a failure of the host itself.
          options_.settings.event_log->write_error("flowform host: " + path + ": " + e.what());
          answer = plain_answer(500);
        }
        reply(std::move(answer));
      });
}

HttpAnswer HttpRoutes::static_file(const std::string& path) const {
  StaticFile file = find_static_file(options_.settings.site_folder, path);
  switch (file.outcome) {
    case StaticFile::Outcome::found:
      return HttpAnswer{200, {{"Content-Type", file.content_type}}, "", std::move(file.file)};
    case StaticFile::Outcome::forbidden:
      return plain_answer(403);
    case StaticFile::Outcome::not_found:
      break;
  }
  return plain_answer(404);
}

}  // namespace host
