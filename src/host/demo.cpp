// The demo: a database with the demo rows, served on the loopback address to the demo user.
#include "host/demo.h"

#include <arpa/inet.h>

#include <filesystem>
#include <ostream>

#include "platform/config/config.h"
#include "schema/database.h"

namespace host {
namespace {

void log_in_demo_user(platform::asp::Session& session) {
  session["UserName"] = schema::demo::kUserName;
  session["TureName"] = schema::demo::kTureName;
  session["DepartMentID"] = vb::Variant(schema::demo::kDepartmentID);
  session["_DeptName"] = schema::demo::kDeptName;
  session["SystemURL"] = "/";
}

}  // namespace

bool is_loopback(const std::string& host) {
  if (host == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::string demo_page_path() {
  return std::string(kPagePath) + "?BiaoDanID=" + std::to_string(schema::demo::kFormKey) +
         "&BiaoDanRecordID=" + std::to_string(schema::demo::kRecordKey) +
         "&JieDianID=" + std::to_string(schema::demo::kNodeKey);
}

ServeOptions prepare_demo(const DemoCommand& command, std::ostream& out) {
  namespace fs = std::filesystem;
  const fs::path db = fs::absolute(command.db);
  if (!fs::exists(db)) {
    std::error_code ignored;  // a folder that cannot be made fails the creation below
    fs::create_directories(db.parent_path(), ignored);
    schema::create_database(db.string(), true);
    out << "flowform: created the demo database " << db.string() << std::endl;
  }
  platform::config::ConfigComponent::set_command_line_connect("Provider=SQLite;Data Source=" +
                                                              db.string());
  ServeOptions options;
  options.listen = command.listen;
  // The demo runs in a terminal: the page's error entries show there.
  options.settings.event_log = platform::eventlog::open_event_log("-");
  options.new_session = log_in_demo_user;
  return options;
}

int run_demo(const DemoCommand& command, std::ostream& out, std::ostream& err) {
  if (!is_loopback(command.listen.host)) {
    err << "flowform: the demo listens on this machine only (127.0.0.1, ::1 or localhost), not "
        << command.listen.host << "\n";
    return 2;
  }
  ServeOptions options;
  try {
    options = prepare_demo(command, out);
  } catch (const vb::VbError& e) {
    err << "flowform: cannot create the demo database " << command.db << ": " << e.description()
        << "\n";
    return 1;
  }
  HttpServer server(std::move(options));
  return server.serve(err, [&](int port) {
    out << "flowform: demo at " << base_url(command.listen, port) << demo_page_path() << std::endl;
  });
}

}  // namespace host
