// Shared set-up of the page tests: a temporary office database built from schema/ with the rows
// a case adds, and one request rendered through the host's request runner.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>

#include "host/request_runner.h"
#include "schema/database.h"
#include "vb/builtins.h"

namespace page_test {

// The set-up lines that stand before the page head for a session whose SystemURL is kSystemUrl.
inline constexpr char kSystemUrl[] = "/oa/";
inline constexpr char kWindowLines[] =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n"
    "<link href=\"/oa/Include/imagesV10/CSSForV10.css\" rel=\"stylesheet\" type=\"text/css\">\r\n"
    "<script language=\"javascript\" src=\"/oa/Include/js/orderby.js\"></script>\r\n"
    "<STYLE>\r\n"
    "thead .arrow{font-family: webdings; color: black; }\r\n"
    "</STYLE>\r\n";
// The last line of the page head; what a phase writes starts right after it.
inline constexpr char kHeadEnd[] = "<TITLE>流程处理</TITLE>\r\n";

// The schema's tables without demo rows in a fresh file, removed with the object.
class TempDatabase {
 public:
  TempDatabase() : path_(unique_path()) { schema::create_database(path_, false); }
  ~TempDatabase() {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
      std::filesystem::remove(path_ + suffix);
    }
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& path() const { return path_; }
  std::string connect() const { return "Provider=SQLite;Data Source=" + path_; }

  // Runs SQLite statements as they stand (use it to add the rows a case needs); a failure
  // fails the test with SQLite's message.
  void exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(db, 5000);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << error << "\n" << sql;
  }

  // The first column of the first row of a query, as text ("" for none or NULL).
  std::string scalar(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    std::string value;
    if (sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0) != nullptr) {
      value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
  }

 private:
  static std::string unique_path() {
    static std::atomic<int> counter{0};
    return testing::TempDir() + "flowform_page_" + std::to_string(getpid()) + "_" +
           std::to_string(++counter) + ".db";
  }

  std::string path_;
};

// A fixture holding one database and rendering requests on it for a logged-in user.
class PageTest : public ::testing::Test {
 protected:
  // A request for the user "zhang" (TureName 张三, DepartMentID 1, SystemURL kSystemUrl) on
  // db_, at 2011-09-02 09:05:07; adjust the fields before render().
  host::RenderOptions options() const {
    host::RenderOptions o;
    o.connect = db_.connect();
    o.now = vb::CDate(vb::Variant("2011-09-02 09:05:07"));
    o.session_values = {{"UserName", "zhang"},
                        {"TureName", "张三"},
                        {"DepartMentID", "1"},
                        {"SystemURL", kSystemUrl}};
    return o;
  }

  host::Rendered render(const host::RenderOptions& o) const { return host::render_once(o); }
  host::Rendered render(std::string query) const {
    host::RenderOptions o = options();
    o.query = std::move(query);
    return render(o);
  }

  // What the page wrote after its head (the whole body when the head is missing).
  static std::string after_head(const std::string& body) {
    const auto at = body.find(kHeadEnd);
    return at == std::string::npos ? body : body.substr(at + std::string_view(kHeadEnd).size());
  }

  TempDatabase db_;
};

}  // namespace page_test
