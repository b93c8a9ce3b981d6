// The demo: a database with the demo rows, served on the loopback address to the demo user.
#include "host/demo.h"

#include <arpa/inet.h>
#include <sqlite3.h>

#include <filesystem>
#include <ostream>

#include "host/database_failure.h"
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

// Calls add with a text reader for each row of sql, its parameter ?1 (if any) bound to `user`.
template <class Add>
void each_row(sqlite3* db, const std::string& sql, const std::string& user, Add&& add) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return;
  sqlite3_bind_text(statement, 1, user.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    add([&](int column) {
      const unsigned char* text = sqlite3_column_text(statement, column);
      return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
    });
  }
  sqlite3_finalize(statement);
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

std::vector<DemoPage> demo_pages(const std::string& db_path) {
  std::vector<DemoPage> pages;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return pages;
  }
  const std::string user = schema::demo::kUserName;
  const std::string page = std::string(kPagePath) + "?";
  each_row(db,
           "select d.BiaoDanID, d.BiaoDanRecordID, d.JieDianID, f.Name, n.JieDianName "
           "from OA_DaiBan_LiuCheng d join OA_Flow_BiaoDan f on f.OAID = d.BiaoDanID "
           "join OA_Flow_Model_JieDian n on n.OAID = d.JieDianID where d.BanLiRen = ?1 "
           "order by d.BiaoDanID, d.BiaoDanRecordID",
           user, [&](auto text) {
             pages.push_back({"to-do " + text(3) + " at " + text(4),
                              page + "BiaoDanID=" + text(0) + "&BiaoDanRecordID=" + text(1) +
                                  "&JieDianID=" + text(2)});
           });
  std::vector<std::string> forms;
  each_row(db, "select OAID from OA_Flow_BiaoDan order by OAID", user,
           [&](auto text) { forms.push_back(text(0)); });
  for (const std::string& form : forms) {
    each_row(db,
             "select b.OAID, b.BiaoDanRecordID, b.JieDianID, (select n.JieDianName from "
             "OA_Flow_Model_JieDian n where n.OAID = b.JieDianID) from OA_FLOW_" + form +
                 "_BanLi b where b.BanLiRen = ?1 and exists (select 1 from OA_DaiBan_LiuCheng d "
                 "where d.BiaoDanID = '" +
                 form +
                 "' and d.BiaoDanRecordID = b.BiaoDanRecordID "
                 "and d.BanLiRen = ?1) order by b.OAID",
             user, [&](auto text) {
               pages.push_back({"reopened step " + text(3),
                                page + "BanLiID=" + text(0) + "&BiaoDanID=" + form +
                                    "&BiaoDanRecordID=" + text(1) + "&JieDianID=" + text(2)});
             });
  }
  each_row(db, "select OAID, Name from OA_Flow_Model_Header where IsOn = '1' order by OAID", user,
           [&](auto text) {
             pages.push_back({"new flow " + text(1), page + "LiuChengID=" + text(0)});
           });
  sqlite3_close(db);
  return pages;
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
  if (fs::is_directory(command.site)) {
    options.settings.site_folder = fs::absolute(command.site).string();
    options.serve_static_files = true;
  }
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
    print_database_failure(err, "cannot create the demo database", command.db, e);
    return 1;
  }
  if (!options.serve_static_files) {
    out << "flowform: no site folder " << command.site
        << ": the page's scripts, style sheets and images are not served (run scripts/site.sh)\n";
  }
  const std::vector<DemoPage> pages = demo_pages(command.db);
  HttpServer server(std::move(options));
  return server.serve(err, [&](int port) {
    const std::string base = base_url(command.listen, port);
    out << "flowform: demo at " << base << demo_page_path() << "\n";
    for (const DemoPage& page : pages)
      out << "  " << page.what << ": " << base << page.path << "\n";
    out << std::flush;
  });
}

}  // namespace host
