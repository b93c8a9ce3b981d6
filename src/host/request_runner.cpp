// One request through the page object, and the test-facing render_once.
#include "host/request_runner.h"

#include "page/qmflobiaodantianx.h"
#include "platform/ado/request_scope.h"
#include "platform/asp/object_context.h"
#include "platform/asp/request.h"
#include "platform/asp/response.h"
#include "platform/config/config.h"

namespace host {

PageResponse run_request(const HostSettings& settings,
                         const std::shared_ptr<platform::asp::Application>& application,
                         const std::shared_ptr<platform::asp::Session>& session,
                         const RequestInput& input) {
  auto request = std::make_shared<platform::asp::Request>();
  for (const auto& [key, value] : input.query_string) request->add_query_string(key, value);
  for (const auto& [key, value] : input.form) request->add_form(key, value);
  for (const auto& [key, value] : input.cookies) request->set_cookie(key, value);
  for (const auto& [key, value] : input.server_variables) request->set_server_variable(key, value);
  auto response = std::make_shared<platform::asp::Response>();
  auto server = std::make_shared<platform::asp::Server>(settings.site_folder, kPageFolder,
                                                        settings.sibling_pages);

  {
    // The page's reads share one read transaction, ended here however the page ends.
    platform::ado::RequestScope reads;
    platform::asp::ObjectContext context(server, application, session, request, response);
    page::qmflobiaodantianx page(context, *settings.event_log, settings.fixed_now);
    page.I_init();
    page.OnEndPage();
  }
  // A page that failed between Lock and UnLock must not keep the other requests waiting.
  application->UnLock();
  return PageResponse{response->take_body(), response->Expires};
}

Rendered render_once(const RenderOptions& options) {
  platform::config::ConfigComponent::set_command_line_connect(options.connect);
  auto application =
      options.application ? options.application : std::make_shared<platform::asp::Application>();
  auto session = options.session ? options.session : std::make_shared<platform::asp::Session>();
  for (const auto& [key, value] : options.application_values) application->set(key, value);
  for (const auto& [key, value] : options.session_values) (*session)[key] = value;

  auto recording =
      options.event_log ? nullptr : std::make_shared<platform::eventlog::RecordingEventLog>();
  HostSettings settings;
  settings.site_folder = options.site_folder;
  settings.event_log = options.event_log ? options.event_log : recording;
  settings.fixed_now = options.now;

  RequestInput input;
  input.query_string = parse_urlencoded(options.query, Charset::utf8);
  input.form = parse_urlencoded(options.form, Charset::utf8);
  input.server_variables = {{"REMOTE_ADDR", options.remote_addr}};

  PageResponse response = run_request(settings, application, session, input);
  return Rendered{std::move(response.body), response.expires, session, application,
                  recording ? recording->entries() : std::vector<std::string>()};
}

}  // namespace host
