// Running schema scripts with sqlite3_exec.
#include "schema/sqlite_script.h"

#include <sqlite3.h>

#include <string>

#include "vb/error.h"

namespace schema {
namespace {
constexpr int kBusyTimeoutMs = 5000;
}  // namespace

SqliteScript::SqliteScript(const std::string& path, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    // The handle is allocated even when the open fails, and no destructor will close it.
    const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw vb::VbError(kDatabaseFailed, message, 0L);
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

SqliteScript::~SqliteScript() { sqlite3_close(db_); }

void SqliteScript::run(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail();
}

void SqliteScript::fail() {
  throw vb::VbError(kDatabaseFailed, db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory", 0L);
}

}  // namespace schema
