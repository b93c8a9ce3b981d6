// A database file opened only to run SQL scripts on it (schema creation).
#pragma once

#include <string>

struct sqlite3;

namespace schema {

// The number schema failures raise, as the data-access layer reports a database it cannot use.
inline constexpr long kDatabaseFailed = -2147467259;

// Failures raise vb::VbError -2147467259 with SQLite's message.
class SqliteScript {
 public:
  // Opens `path`, creating the file when `create` is set.
  SqliteScript(const std::string& path, bool create);
  ~SqliteScript();
  SqliteScript(const SqliteScript&) = delete;
  SqliteScript& operator=(const SqliteScript&) = delete;

  // Runs every statement of `sql`.
  void run(const std::string& sql);

 private:
  [[noreturn]] void fail();
  sqlite3* db_ = nullptr;
};

}  // namespace schema
