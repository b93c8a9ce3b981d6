// SQLite sessions: statement execution with a prepared-statement cache, row insert and update
// by integer key, transactions and statement time limits.
#include "platform/ado/sqlite_driver.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>
#include <unordered_map>

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/sqlite_values.h"
#include "platform/ado/statement_cache.h"
#include "platform/ado/tsql_dialect.h"

namespace platform::ado {
namespace {

constexpr int kBusyTimeoutMs = 5000;

// SQLite's memory statistics take one process-wide mutex on every allocation, which request
// threads would queue on, and nothing reads them. The setting must precede SQLite's
// initialisation, hence a static initialiser rather than the first open.
[[maybe_unused]] const int kMemoryStatisticsOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
constexpr std::size_t kCachedStatements = 64;

bool only_separators(const char* p, const char* end) {
  for (; p < end; ++p) {
    if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return false;
  }
  return true;
}

// Leaves a statement ready for its next use however its run ends.
class ResetOnExit {
 public:
  explicit ResetOnExit(sqlite3_stmt* s) : s_(s) {}
  ~ResetOnExit() {
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
  }
  ResetOnExit(const ResetOnExit&) = delete;
  ResetOnExit& operator=(const ResetOnExit&) = delete;

 private:
  sqlite3_stmt* s_;
};

struct Finalizer {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using OwnedStatement = std::unique_ptr<sqlite3_stmt, Finalizer>;

// Closes the handle once every statement is finalized (the cache is destroyed after it).
struct Database {
  explicit Database(sqlite3* d) : db(d) {}
  ~Database() { sqlite3_close_v2(db); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  sqlite3* db;
};

// Which file a path names now; a file replaced under the same name is another file.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool known = false;
  bool operator==(const FileIdentity&) const = default;
};

FileIdentity identity_of(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  return {info.st_dev, info.st_ino, true};
}

class SqliteConnection final : public DriverConnection {
 public:
  SqliteConnection(sqlite3* db, std::string path)
      : db_(db), path_(std::move(path)), opened_file_(identity_of(path_)) {
    sqlite3_progress_handler(db, 1000, &SqliteConnection::on_progress, this);
  }

  void configure(vb::Here where) {
    sqlite3_busy_timeout(db_.db, kBusyTimeoutMs);
    // Switching a file to WAL needs it to itself and does not wait on the busy handler, so two
    // first opens at once retry here.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    for (;;) {
      const int rc = sqlite3_exec(db_.db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
      if (rc == SQLITE_OK) break;
      if ((rc & 0xff) != SQLITE_BUSY || std::chrono::steady_clock::now() > give_up) {
        fail(kProviderFailed, where);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (sqlite3_exec(db_.db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK) {
      fail(kProviderFailed, where);
    }
  }

  bool execute(std::string_view sql, ResultSet& result, long timeout_seconds,
               vb::Here where) override {
    const std::string translated = translate_tsql(sql);
    const Deadline deadline(*this, timeout_seconds);
    if (sqlite3_stmt* s = prepared(translated, where)) return run(s, &result, where);
    return run_script(translated, result, where);
  }

  Row insert_row(const std::string& table, const std::vector<std::string>& columns,
                 const Row& values, const std::vector<bool>& assigned, long timeout_seconds,
                 vb::Here where) override {
    std::string names, marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!assigned[i]) continue;
      if (!names.empty()) {
        names += ',';
        marks += ',';
      }
      names += quoted_name(columns[i]);
      marks += '?';
    }
    const std::string sql = "INSERT INTO " + quoted_name(table) +
                            (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
    const Deadline deadline(*this, timeout_seconds);
    sqlite3_stmt* insert = prepared(sql, where);
    int index = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (assigned[i]) bind_value(insert, ++index, values[i], where);
    }
    run(insert, nullptr, where);

    std::string select = "SELECT ";
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) select += ',';
      select += quoted_name(columns[i]);
    }
    sqlite3_stmt* read_back =
        prepared(select + " FROM " + quoted_name(table) + " WHERE rowid=?", where);
    sqlite3_bind_int64(read_back, 1, sqlite3_last_insert_rowid(db_.db));
    ResultSet row;
    run(read_back, &row, where);
    return row.rows.size() == 1 ? std::move(row.rows.front()) : values;
  }

  void update_row(const std::string& table, const std::vector<std::string>& columns,
                  const Row& original, const Row& values, const std::vector<bool>& assigned,
                  long timeout_seconds, vb::Here where) override {
    const Deadline deadline(*this, timeout_seconds);
    const std::string& key = key_column(table, where);
    std::size_t key_index = columns.size();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!key.empty() && ascii_iequals(columns[i], key)) key_index = i;
    }
    if (key_index == columns.size()) {
      raise_ado(kProviderFailed, "Insufficient key column information for updating or refreshing.",
                where);
    }
    std::string sets;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!assigned[i]) continue;
      if (!sets.empty()) sets += ',';
      sets += quoted_name(columns[i]) + "=?";
    }
    if (sets.empty()) return;
    sqlite3_stmt* update = prepared(
        "UPDATE " + quoted_name(table) + " SET " + sets + " WHERE " + quoted_name(key) + "=?",
        where);
    int index = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (assigned[i]) bind_value(update, ++index, values[i], where);
    }
    bind_value(update, ++index, original[key_index], where);
    run(update, nullptr, where);
    if (sqlite3_changes(db_.db) == 0) {
      raise_ado(kRowNotFound,
                "Row cannot be located for updating. Some values may have been changed since it "
                "was last read.",
                where);
    }
  }

  void begin(vb::Here where) override { exec_or_fail("BEGIN IMMEDIATE", where); }
  void commit(vb::Here where) override { exec_or_fail("COMMIT", where); }
  void rollback(vb::Here where) override { exec_or_fail("ROLLBACK", where); }

  bool still_valid() const noexcept override {
    return !opened_file_.known || identity_of(path_) == opened_file_;
  }

  bool reset() noexcept override {
    if (sqlite3_get_autocommit(db_.db)) return true;
    return sqlite3_exec(db_.db, "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
  }

 private:
  [[noreturn]] void fail(long number, vb::Here where) {
    raise_ado(number, sqlite3_errmsg(db_.db), where);
  }

  void exec_or_fail(const char* sql, vb::Here where) {
    if (sqlite3_exec(db_.db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(kProviderFailed, where);
  }

  // The cached statement for `sql`, prepared on first use; nullptr when `sql` holds no
  // statement or several (run_script runs those).
  sqlite3_stmt* prepared(const std::string& sql, vb::Here where) {
    if (sqlite3_stmt* s = cache_.find(sql)) return s;
    sqlite3_stmt* s = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db_.db, sql.data(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &s, &tail) != SQLITE_OK) {
      fail(kCommandFailed, where);
    }
    if (s == nullptr) return nullptr;
    if (!only_separators(tail, sql.data() + sql.size())) {
      sqlite3_finalize(s);
      return nullptr;
    }
    cache_.insert(sql, s);
    return s;
  }

  // Runs every statement of `sql` in turn; the rows of the first query are the result.
  bool run_script(const std::string& sql, ResultSet& result, vb::Here where) {
    bool has_rows = false;
    const char* p = sql.data();
    const char* end = p + sql.size();
    while (p < end) {
      sqlite3_stmt* s = nullptr;
      if (sqlite3_prepare_v2(db_.db, p, static_cast<int>(end - p), &s, &p) != SQLITE_OK) {
        fail(kCommandFailed, where);
      }
      if (s == nullptr) continue;
      OwnedStatement owned(s);
      if (run(s, has_rows ? nullptr : &result, where)) has_rows = true;
    }
    return has_rows;
  }

  // Steps `s` to its end, keeping its rows in `out` when given. True when it returns columns.
  bool run(sqlite3_stmt* s, ResultSet* out, vb::Here where) {
    ResetOnExit reset(s);
    const int n = sqlite3_column_count(s);
    if (out != nullptr && n > 0) {
      out->columns.clear();
      for (int i = 0; i < n; ++i) out->columns.emplace_back(sqlite3_column_name(s, i));
    }
    for (;;) {
      const int rc = sqlite3_step(s);
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) {
        if (rc == SQLITE_INTERRUPT && timed_out_) raise_ado(kCommandTimeout, where);
        fail(kCommandFailed, where);
      }
      if (out == nullptr) continue;
      Row& row = out->rows.emplace_back();
      row.reserve(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) row.push_back(read_column(s, i));
    }
    return n > 0;
  }

  // The table's INTEGER PRIMARY KEY column, "" when it has none.
  const std::string& key_column(const std::string& table, vb::Here where) {
    const std::string lower_name = ascii_lowered(table);
    auto it = key_columns_.find(lower_name);
    if (it != key_columns_.end()) return it->second;
    ResultSet info;
    run(prepared("PRAGMA table_info(" + quoted_name(table) + ")", where), &info, where);
    std::string key;
    int keys = 0;
    for (const Row& column : info.rows) {  // cid, name, type, notnull, dflt_value, pk
      if (column[5] == 0) continue;
      ++keys;
      if (column[2].is_string() && ascii_iequals(column[2].str(), "INTEGER")) key = column[1].str();
    }
    return key_columns_.emplace(lower_name, keys == 1 ? key : "").first->second;
  }

  // Bounds the statements run while it lives to `timeout_seconds` (none when 0 or less).
  class Deadline {
   public:
    Deadline(SqliteConnection& c, long timeout_seconds) : c_(c) {
      c_.timed_out_ = false;
      c_.has_deadline_ = timeout_seconds > 0;
      if (c_.has_deadline_) {
        c_.deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
      }
    }
    ~Deadline() { c_.has_deadline_ = false; }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

   private:
    SqliteConnection& c_;
  };

  static int on_progress(void* self) {
    auto* c = static_cast<SqliteConnection*>(self);
    if (!c->has_deadline_ || std::chrono::steady_clock::now() < c->deadline_) return 0;
    c->timed_out_ = true;
    return 1;
  }

  Database db_;  // declared first: closed last
  std::string path_;
  FileIdentity opened_file_;
  StatementCache cache_{kCachedStatements};
  std::unordered_map<std::string, std::string> key_columns_;  // lower-case table -> key column
  std::chrono::steady_clock::time_point deadline_;
  bool has_deadline_ = false;
  bool timed_out_ = false;
};

}  // namespace

std::unique_ptr<DriverConnection> open_sqlite(const std::string& path, vb::Here where) {
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close(db);
    raise_ado(kProviderFailed, std::move(message), where);
  }
  auto session = std::make_unique<SqliteConnection>(db, path);
  session->configure(where);
  return session;
}

}  // namespace platform::ado
