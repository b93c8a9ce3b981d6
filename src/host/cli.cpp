// Argument parsing with CLI11 and the three commands.
#include "host/cli.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <ostream>
#include <tuple>

#include "host/argument_values.h"
#include "host/demo.h"
#include "host/render.h"
#include "host/serve.h"
#include "platform/mail/smtp.h"

namespace host {
namespace {

constexpr const char* kConnectVariable = "FLOWFORM_CONNECT";
constexpr const char* kMailCaVariable = "FLOWFORM_MAIL_CA_FILE";

// The option naming the authorities that vouch for a mail server's STARTTLS certificate.
void add_mail_ca_option(CLI::App* command, std::string& into) {
  command
      ->add_option("--mail-ca-file", into,
                   "PEM certificates of the authorities that vouch for the mail server's "
                   "certificate (else the system's)")
      ->envname(kMailCaVariable)
      ->check(CLI::ExistingFile);
}

const CLI::Validator kKeyValue(
    [](std::string& text) -> std::string {
      size_t eq = text.find('=');
      return eq == std::string::npos || eq == 0 ? "expected KEY=VALUE, got \"" + text + "\"" : "";
    },
    "KEY=VALUE");

const CLI::Validator kDateTime(
    [](std::string& text) -> std::string {
      return parse_fixed_now(text) ? "" : "expected \"YYYY-MM-DD hh:nn:ss\", got \"" + text + "\"";
    },
    "\"YYYY-MM-DD hh:nn:ss\"");

const CLI::Validator kHostPort(
    [](std::string& text) -> std::string {
      return parse_listen(text) ? "" : "expected HOST:PORT, got \"" + text + "\"";
    },
    "HOST:PORT");

// The event log named on the command line; null (message on err) when it cannot be opened.
std::shared_ptr<platform::eventlog::EventLog> open_log(const std::string& where,
                                                       std::ostream& err) {
  try {
    return platform::eventlog::open_event_log(where);
  } catch (const vb::VbError& e) {
    err << "flowform: --event-log " << where << ": " << e.description() << "\n";
    return nullptr;
  }
}

// What one client may cost serve: the options beyond the first three caps.
void add_client_limits(CLI::App& serve, ServeOptions& s) {
  ConnectionLimits& limits = s.limits;
  const std::tuple<const char*, std::size_t*, const char*> counts[] = {
      {"--max-anonymous-sessions", &s.max_anonymous_sessions,
       "Sessions without a user name, or whose cookie has not come back, kept at most; they go "
       "first from the address that made the most sessions"},
      {"--max-per-address", &limits.max_per_address,
       "Connections one client address may hold; more get 503"},
      {"--body-memory", &limits.body_memory,
       "Bytes of request bodies held at once, a quarter per address; past it 503"},
      {"--max-form-keys", &limits.max_form_keys, "Keys of a form body; more get 413"},
  };
  for (const auto& [name, value, help] : counts) {
    serve.add_option(name, *value, help)->check(CLI::PositiveNumber);
  }
  serve
      .add_option_function<unsigned>(
          "--request-timeout",
          [&limits](unsigned seconds) { limits.request_timeout = std::chrono::seconds(seconds); },
          "Seconds for a whole request, head and body")
      ->default_str(std::to_string(limits.request_timeout.count() / 1000))
      ->check(CLI::PositiveNumber);
  const auto grace = std::chrono::duration_cast<std::chrono::seconds>(limits.rate_grace);
  serve
      .add_option("--min-rate", limits.min_rate,
                  "Bytes a second a request, and its answer, must keep up after its first " +
                      std::to_string(grace.count()) + " s (0: any rate)")
      ->check(CLI::NonNegativeNumber);
}

// "flowform" alone: the help, on err since nothing was run.
int no_command(const CLI::App& app, std::ostream& err) {
  err << app.help();
  return 2;
}

}  // namespace

int run_cli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app("flowform: the workflow form fill-in page and its host", "flowform");
  app.require_subcommand(0, 1);
  app.option_defaults()->always_capture_default();
  app.footer(
      "The connection string, \"Provider=SQLite;Data Source=PATH\", comes from --connect, else\n"
      "from the FLOWFORM_CONNECT environment variable.");

  CLI::App* render = app.add_subcommand("render", "Run one request and print the page");
  RenderCommand render_command;
  RenderOptions& r = render_command.options;
  std::vector<std::string> render_session, render_application;
  std::string render_now, render_event_log, output_encoding = "utf-8";
  render->add_option("--connect", r.connect, "Connection string of the configuration component")
      ->envname(kConnectVariable);
  render->add_option("--query", r.query, "Query string, URL-encoded UTF-8");
  render->add_option("--form", r.form, "Form body, URL-encoded UTF-8");
  render->add_option("--session", render_session, "Session value")->check(kKeyValue);
  render->add_option("--application", render_application, "Application value")->check(kKeyValue);
  render->add_option("--remote-addr", r.remote_addr, "The client's address (REMOTE_ADDR)");
  render->add_option("--now", render_now, "Fixed clock")->check(kDateTime);
  render->add_option("--session-out", render_command.session_out,
                     "Write the session to FILE after the request");
  render->add_option("--event-log", render_event_log, "Event log file, or - for stderr");
  render->add_option("--output-encoding", output_encoding, "Encoding of the printed page")
      ->check(CLI::IsMember({"utf-8", "cp936"}));
  std::string mail_ca_file;
  add_mail_ca_option(render, mail_ca_file);

  CLI::App* serve = app.add_subcommand("serve", "Serve the page over HTTP");
  std::string serve_listen = "127.0.0.1:8080", serve_site, serve_event_log;
  std::vector<std::string> serve_application;
  ServeCommand serve_command;
  ServeOptions& s = serve_command.options;
  serve->add_option("--listen", serve_listen, "Address to listen on")->check(kHostPort);
  serve->add_option("--connect", serve_command.connect, "Connection string of the database")
      ->envname(kConnectVariable);
  serve->add_option("--site", serve_site, "Folder of the site's files")
      ->check(CLI::ExistingDirectory);
  serve->add_option("--application", serve_application, "Application value")->check(kKeyValue);
  serve->add_option("--event-log", serve_event_log, "Event log file, or - for stderr");
  serve
      ->add_option("--max-sessions", s.max_sessions,
                   "Sessions kept at most; the address that made the most loses its idlest")
      ->check(CLI::PositiveNumber);
  serve
      ->add_option("--max-connections", s.limits.max_connections,
                   "Connections open at once; more get 503")
      ->check(CLI::PositiveNumber);
  serve->add_option("--max-body", s.limits.max_body, "Bytes of a request body; more get 413")
      ->check(CLI::PositiveNumber);
  add_client_limits(*serve, s);
  add_mail_ca_option(serve, mail_ca_file);

  CLI::App* demo = app.add_subcommand("demo", "Serve the demo database on this machine");
  std::string demo_listen = "127.0.0.1:8080";
  DemoCommand demo_command;
  demo->add_option("--listen", demo_listen, "Loopback address to listen on")->check(kHostPort);
  demo->add_option("--db", demo_command.db, "Demo database, created when missing");
  demo->add_option("--site", demo_command.site,
                   "Folder of the site's files, served when it exists");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e, out, err) == 0 ? 0 : 2;
  }
  if (!render->parsed() && !serve->parsed() && !demo->parsed()) {
    return no_command(app, err);
  }
  platform::mail::ca_file() = mail_ca_file;

  if (render->parsed()) {
    r.session_values = parse_key_values(render_session);
    r.application_values = parse_key_values(render_application);
    if (!render_now.empty()) r.now = parse_fixed_now(render_now);
    r.event_log = open_log(render_event_log, err);
    if (!r.event_log) return 2;
    render_command.cp936_output = output_encoding == "cp936";
    return run_render(render_command, out, err);
  }

  if (serve->parsed()) {
    s.listen = *parse_listen(serve_listen);
    s.settings.event_log = open_log(serve_event_log, err);
    if (!s.settings.event_log) return 2;
    if (!serve_site.empty()) {
      s.settings.site_folder = serve_site;
      s.serve_static_files = true;
    }
    s.application_values = parse_key_values(serve_application);
    return run_serve(std::move(serve_command), out, err);
  }

  demo_command.listen = *parse_listen(demo_listen);
  return run_demo(demo_command, out, err);
}

}  // namespace host
