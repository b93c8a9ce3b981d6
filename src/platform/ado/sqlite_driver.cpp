// SQLite sessions: statements from a cache keyed by the shape of the page's SQL text, reads
// shared in one transaction per request and repeated reads answered from it, writes one at a
// time through the file's writer queue, row insert and update by integer key, transactions and
// statement time limits.
#include "platform/ado/sqlite_driver.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iterator>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "platform/ado/ado_error.h"
#include "platform/ado/row_statements.h"
#include "platform/ado/ascii.h"
#include "platform/ado/delete_probe.h"
#include "platform/ado/read_memo.h"
#include "platform/ado/sql_shape.h"
#include "platform/ado/sqlite_values.h"
#include "platform/ado/statement_cache.h"
#include "platform/ado/tsql_dialect.h"
#include "platform/ado/writer_queue.h"

namespace platform::ado {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kBusyTimeout = std::chrono::milliseconds(5000);
// A lock held by another process is polled: the first tries only yield the processor, later
// ones pause briefly; never a millisecond's sleep.
constexpr int kBusyYields = 32;
constexpr auto kBusyPause = std::chrono::microseconds(50);
// How often a pooled session looks whether its file was replaced.
constexpr auto kIdentityCheckInterval = std::chrono::seconds(1);

// SQLite's memory statistics take one process-wide mutex on every allocation, which request
// threads would queue on, and nothing reads them. The setting must precede SQLite's
// initialisation, hence a static initialiser rather than the first open.
[[maybe_unused]] const int kMemoryStatisticsOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
// Statement shapes kept per session: a page's statements come to a few dozen shapes, a form of
// 500 fields to a few more, since the field's number is a literal.
constexpr std::size_t kCachedStatements = 512;
// The partial indexes and the indexes on expressions, which SQLite uses only when a
// statement's literals match the index's as written: each one's table (lower-case) and text,
// then every view when there is such an index (a view may read its table), without a text.
constexpr const char* kIndexLiteralsQuery = R"sql(
WITH steered(tbl, idx) AS (
  SELECT m.name, i.name FROM sqlite_schema m, pragma_index_list(m.name) i
  WHERE m.type = 'table' AND
    (i.partial OR EXISTS (SELECT 1 FROM pragma_index_xinfo(i.name) WHERE cid = -2)))
SELECT lower(s.tbl), x.sql FROM steered s JOIN sqlite_schema x ON x.type = 'index' AND x.name = s.idx
UNION ALL
SELECT lower(name), NULL FROM sqlite_schema WHERE type = 'view' AND EXISTS (SELECT 1 FROM steered))sql";

// SQLite's functions whose value changes between calls with the same arguments: random
// numbers, the counts of the last writes, and the clock (each date and time function reads it
// for 'now' or no date at all; CURRENT_TIMESTAMP and its kin are calls of their own names).
constexpr std::string_view kChangingFunctions[] = {
    "random",   "randomblob", "changes",           "total_changes", "last_insert_rowid",
    "date",     "time",       "datetime",          "julianday",     "unixepoch",
    "strftime", "timediff",   "current_timestamp", "current_date",  "current_time"};

std::atomic<long> prepares{0};
std::atomic<void (*)(std::string_view)> answer_observer{nullptr};

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

// Binds the literals lifted out of a statement to its parameters, in order. A text without a
// doubled quote is bound where it stands (the statement's text outlives the run).
void bind_literals(sqlite3_stmt* s, const std::vector<Literal>& literals) {
  const int n = std::min(static_cast<int>(literals.size()), sqlite3_bind_parameter_count(s));
  for (int i = 0; i < n; ++i) {
    const Literal& literal = literals[static_cast<std::size_t>(i)];
    if (literal.kind == Literal::Kind::Integer) {
      sqlite3_bind_int64(s, i + 1, literal.integer());
      continue;
    }
    const std::string_view inner = literal.inner();
    if (inner.find('\'') == std::string_view::npos) {
      sqlite3_bind_text(s, i + 1, inner.data(), static_cast<int>(inner.size()), SQLITE_STATIC);
    } else {
      const std::string text = literal.text();
      sqlite3_bind_text(s, i + 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
  }
}

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

std::shared_ptr<const ColumnNames> column_names(sqlite3_stmt* s) {
  auto names = std::make_shared<ColumnNames>();
  const int n = sqlite3_column_count(s);
  names->reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) names->emplace_back(sqlite3_column_name(s, i));
  return names;
}

class SqliteConnection final : public DriverConnection {
 public:
  SqliteConnection(sqlite3* db, std::string path)
      : db_(db), path_(std::move(path)), opened_file_(identity_of(path_)) {
    sqlite3_progress_handler(db, 1000, &SqliteConnection::on_progress, this);
    sqlite3_busy_handler(db, &SqliteConnection::on_busy, this);
    sqlite3_set_authorizer(db, &SqliteConnection::on_prepare, this);
    if (opened_file_.known) writers_ = WriterQueue::of_file(opened_file_.device, opened_file_.inode);
    next_identity_check_ = Clock::now() + kIdentityCheckInterval;
  }

  ~SqliteConnection() override { reset(); }

  void configure(vb::Here where) {
    // Switching a file to WAL needs it to itself and does not wait on the busy handler, so two
    // first opens at once retry here.
    const auto give_up = Clock::now() + kBusyTimeout;
    for (;;) {
      const int rc = sqlite3_exec(db_.db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
      if (rc == SQLITE_OK) break;
      if ((rc & 0xff) != SQLITE_BUSY || Clock::now() > give_up) fail(kProviderFailed, where);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (sqlite3_exec(db_.db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK) {
      fail(kProviderFailed, where);
    }
    // A statement's plan must not depend on the values bound to it: otherwise SQLite prepares a
    // statement again whenever a bound value could change its plan (any bound like pattern,
    // even '%x%' that no index serves), which statements sharing a shape do all the time. The
    // literals that do steer the plan stay in the shape's text (see sql_shape.h).
    sqlite3_db_config(db_.db, SQLITE_DBCONFIG_ENABLE_QPSG, 1, nullptr);
    begin_read_ = own_statement("BEGIN", where);
    end_read_ = own_statement("COMMIT", where);
    schema_version_ = own_statement("PRAGMA schema_version", where);
    index_literals_query_ = own_statement(kIndexLiteralsQuery, where);
  }

  bool execute(std::string_view sql, ResultSet& result, long timeout_seconds,
               vb::Here where) override {
    if (in_read_transaction()) {
      if (const ResultSet* kept = memo_.find(sql)) {
        if (auto* observer = answer_observer.load(std::memory_order_relaxed)) observer(sql);
        result = *kept;
        return true;
      }
    }
    const Deadline deadline(*this, timeout_seconds);
    if (!in_read_transaction()) read_index_literals(where);
    shape_.read(sql, index_literals_);
    met_ = {};
    PreparedStatement* p =
        shape_.literals().empty() ? prepared(sql, where) : prepared_shape(sql, where);
    if (p == nullptr) return run_script(translate_tsql(sql), result, where);
    take_traits(*p);
    if (p->traits.alters_session) {
      // Reads may give other rows after it (case_sensitive_like, reverse_unordered_selects),
      // and the session's next user must not find its settings changed.
      memo_.clear();
      altered_ = true;
    }
    bind_literals(p->statement, shape_.literals());
    if (p->probe != nullptr) {
      // A delete removes the rows there when it runs, those committed since the request's
      // first read too: its probe looks past the request's snapshot, as the delete would.
      end_shared_read();
      bind_literals(p->probe, shape_.literals());
      if (!finds_row(p->probe, where)) return false;
    }
    if (!sqlite3_stmt_readonly(p->statement)) {
      const WriterTurn turn = write_turn(kCommandFailed, where);
      return run(p->statement, p->columns, &result, where);
    }
    if (p->columns->empty()) return run(p->statement, p->columns, &result, where);
    begin_shared_read();
    run(p->statement, p->columns, &result, where);
    take_traits(*p);  // prepared again after a schema change, its views may call other functions
    // Within one read transaction the same text gives the same rows until this session writes.
    if (in_read_transaction() && !in_explicit_ && !p->traits.changes_between_runs) {
      memo_.keep(sql, result);
    }
    return true;
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
    PreparedStatement& insert = *prepared(sql, where);
    int index = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (assigned[i]) bind_value(insert.statement, ++index, values[i], where);
    }
    const WriterTurn turn = write_turn(kCommandFailed, where);
    run(insert.statement, insert.columns, nullptr, where);

    std::string select = "SELECT ";
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) select += ',';
      select += quoted_name(columns[i]);
    }
    PreparedStatement& read_back =
        *prepared(select + " FROM " + quoted_name(table) + " WHERE rowid=?", where);
    sqlite3_bind_int64(read_back.statement, 1, sqlite3_last_insert_rowid(db_.db));
    ResultSet row;
    run(read_back.statement, read_back.columns, &row, where);
    return row.row_count() == 1 ? row.row(0) : values;
  }

  void update_row(const std::string& table, const std::vector<std::string>& columns,
                  const Row& original, const Row& values, const std::vector<bool>& assigned,
                  long timeout_seconds, vb::Here where) override {
    const Deadline deadline(*this, timeout_seconds);
    const std::string& key = key_column(table, where);
    const std::size_t key_index = key_position(columns, key, where);
    const std::string sql = update_statement(table, columns, assigned, key);
    if (sql.empty()) return;
    PreparedStatement& update = *prepared(sql, where);
    int index = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (assigned[i]) bind_value(update.statement, ++index, values[i], where);
    }
    bind_value(update.statement, ++index, original[key_index], where);
    const WriterTurn turn = write_turn(kCommandFailed, where);
    run(update.statement, update.columns, nullptr, where);
    if (sqlite3_changes(db_.db) == 0) raise_row_gone(where);
  }

  void begin(vb::Here where) override {
    WriterTurn turn;
    if (!in_explicit_) turn = write_turn(kProviderFailed, where);
    exec_or_fail("BEGIN IMMEDIATE", where);
    in_explicit_ = true;
    explicit_turn_ = std::move(turn);
  }
  void commit(vb::Here where) override { end_explicit("COMMIT", where); }
  void rollback(vb::Here where) override { end_explicit("ROLLBACK", where); }
  bool in_transaction() const noexcept override { return in_explicit_; }

  void share_reads(bool on) noexcept override {
    if (!on) end_shared_read();
    share_reads_ = on;
  }

  bool still_valid() const noexcept override {
    const auto now = Clock::now();
    if (!opened_file_.known || now < next_identity_check_) return true;
    next_identity_check_ = now + kIdentityCheckInterval;
    return identity_of(path_) == opened_file_;
  }

  bool reset() noexcept override {
    end_shared_read();
    share_reads_ = false;
    const bool usable = sqlite3_get_autocommit(db_.db) ||
                        sqlite3_exec(db_.db, "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
    in_explicit_ = false;
    explicit_turn_.release();
    // A session whose settings a PRAGMA or ATTACH changed is closed rather than lent again.
    return usable && !altered_;
  }

 private:
  [[noreturn]] void fail(long number, vb::Here where) {
    raise_ado(number, sqlite3_errmsg(db_.db), where);
  }

  void exec_or_fail(const char* sql, vb::Here where) {
    if (sqlite3_exec(db_.db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(kProviderFailed, where);
  }

  OwnedStatement own_statement(const char* sql, vb::Here where) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v3(db_.db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK) {
      fail(kProviderFailed, where);
    }
    return OwnedStatement(s);
  }

  void end_explicit(const char* sql, vb::Here where) {
    const int rc = sqlite3_exec(db_.db, sql, nullptr, nullptr, nullptr);
    if (sqlite3_get_autocommit(db_.db)) {
      in_explicit_ = false;
      explicit_turn_.release();
    }
    if (rc != SQLITE_OK) fail(kProviderFailed, where);
  }

  // Outside an explicit transaction a write ends the shared read and waits for its turn among
  // this process's writers to the file; `number` is the error raised when the wait runs out.
  WriterTurn write_turn(long number, vb::Here where) {
    if (in_explicit_) return {};
    end_shared_read();
    if (!writers_) return {};
    WriterTurn turn(*writers_, Clock::now() + kBusyTimeout);
    if (!turn) raise_ado(number, "database is locked", where);
    return turn;
  }

  // Opens the request's read transaction unless one is open (or reads are not shared).
  void begin_shared_read() {
    if (!share_reads_ || in_explicit_ || !sqlite3_get_autocommit(db_.db)) return;
    ResetOnExit reset(begin_read_.get());
    reading_ = sqlite3_step(begin_read_.get()) == SQLITE_DONE;
  }

  // Whether the request's read transaction is open. A statement may have ended it (a commit or
  // rollback in the page's text, or SQLite rolling back after a full disk, an I/O error or
  // running out of memory), and a later one begun another; its reads are then forgotten here,
  // before any statement of the page can open a transaction of its own.
  bool in_read_transaction() noexcept {
    if (reading_ && sqlite3_get_autocommit(db_.db)) {
      reading_ = false;
      memo_.clear();
    }
    return reading_;
  }

  void end_shared_read() noexcept {
    memo_.clear();
    if (!reading_) return;
    reading_ = false;
    if (sqlite3_get_autocommit(db_.db)) return;  // already ended by a failed statement
    ResetOnExit reset(end_read_.get());
    if (sqlite3_step(end_read_.get()) != SQLITE_DONE) {
      sqlite3_exec(db_.db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
  }

  // The cached statement for `sql` (a statement's shape, or a statement of our own), translated
  // and prepared on first use; nullptr when `sql` holds no statement or several (run_script
  // runs those). When the shape does not prepare, the page's own text is prepared instead, so
  // that the error names what the page wrote.
  PreparedStatement* prepared(std::string_view sql, vb::Here where) {
    // A shape kept as failed has the text of a page statement holding bare parameters
    // ("... T ? where n = ?"): that statement is prepared for its own error.
    PreparedStatement* kept = cache_.find(sql);
    if (kept != nullptr && kept->statement != nullptr) return kept;
    const std::string translated = translate_tsql(sql);
    OwnedStatement s = prepare_one(translated, where);
    if (!s) return nullptr;
    PreparedStatement p;
    p.columns = column_names(s.get());
    const std::string probe = delete_probe(translated);
    if (!probe.empty()) p.probe = prepare_one(probe, where).release();
    p.statement = s.release();
    if (kept != nullptr) return &(*kept = std::move(p));
    return &cache_.insert(std::string(sql), std::move(p));
  }

  // The statement for the page's `sql` by its shape, or by the page's own text when the shape
  // does not prepare (a literal stood where the grammar wants one): the text then runs as it
  // would unshaped, a read as a read, and gives its own error. A shape that failed is kept as
  // such, without a statement, and not tried again.
  PreparedStatement* prepared_shape(std::string_view sql, vb::Here where) {
    PreparedStatement* p = cache_.find(shape_.text());
    if (p == nullptr) {
      try {
        return prepared(shape_.text(), where);
      } catch (const vb::VbError&) {
        // Busy, full or interrupted: not the shape's fault.
        if (sqlite3_errcode(db_.db) != SQLITE_ERROR) throw;
        p = &cache_.insert(shape_.text(), PreparedStatement{});
      }
    }
    return p->statement != nullptr ? p : prepared(sql, where);
  }

  // Reads again which literals stay in the statements' texts (see kIndexLiteralsQuery) when
  // the schema changed since the last look, and forgets the shapes that failed to prepare: a
  // table missing then (a form's table being made) may exist now. Called while no read
  // transaction is open: within one only this session could change the schema, and its
  // writes end that transaction first.
  void read_index_literals(vb::Here where) {
    int rc = SQLITE_OK;
    {
      ResetOnExit reset(schema_version_.get());
      rc = sqlite3_step(schema_version_.get());
      if (rc != SQLITE_ROW) step_failed(rc, where);
      const int version = sqlite3_column_int(schema_version_.get(), 0);
      if (version == schema_read_) return;
      schema_read_ = version;
    }
    cache_.erase_if([](const PreparedStatement& p) { return p.statement == nullptr; });
    index_literals_.clear();
    sqlite3_stmt* query = index_literals_query_.get();
    ResetOnExit reset(query);
    while ((rc = sqlite3_step(query)) == SQLITE_ROW) {
      index_literals_.add_table(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
      if (const auto* text = sqlite3_column_text(query, 1)) {
        index_literals_.add_index(reinterpret_cast<const char*>(text));
      }
    }
    if (rc != SQLITE_DONE) {
      schema_read_ = -1;
      step_failed(rc, where);
    }
  }

  // `sql` prepared when it holds exactly one statement, else empty.
  OwnedStatement prepare_one(const std::string& sql, vb::Here where) {
    sqlite3_stmt* s = nullptr;
    const char* tail = nullptr;
    prepares.fetch_add(1, std::memory_order_relaxed);
    if (sqlite3_prepare_v3(db_.db, sql.data(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &s, &tail) != SQLITE_OK) {
      fail(kCommandFailed, where);
    }
    OwnedStatement owned(s);
    if (s != nullptr && !only_separators(tail, sql.data() + sql.size())) owned.reset();
    return owned;
  }

  // Runs every statement of `sql` in turn, in one turn among the writers; the rows of the
  // first query are the result.
  bool run_script(const std::string& sql, ResultSet& result, vb::Here where) {
    // SQLite reads a text only up to a NUL: the rest of it would never run, and a NUL where a
    // statement could start would be met again and again. The text is refused before any of
    // it runs, as a server refuses a batch that does not compile.
    if (sql.find('\0') != std::string::npos) {
      raise_ado(kCommandFailed, "unrecognized token: NUL character", where);
    }
    const WriterTurn turn = write_turn(kCommandFailed, where);
    bool has_rows = false;
    const char* p = sql.data();
    const char* end = p + sql.size();
    while (p < end) {
      sqlite3_stmt* s = nullptr;
      prepares.fetch_add(1, std::memory_order_relaxed);
      if (sqlite3_prepare_v2(db_.db, p, static_cast<int>(end - p), &s, &p) != SQLITE_OK) {
        fail(kCommandFailed, where);
      }
      if (s == nullptr) continue;
      OwnedStatement owned(s);
      altered_ = altered_ || met_.alters_session;
      std::shared_ptr<const ColumnNames> columns;
      if (run(s, columns, has_rows ? nullptr : &result, where)) has_rows = true;
    }
    return has_rows;
  }

  bool finds_row(sqlite3_stmt* s, vb::Here where) {
    ResetOnExit reset(s);
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) step_failed(rc, where);
    return false;
  }

  [[noreturn]] void step_failed(int rc, vb::Here where) {
    if (rc == SQLITE_INTERRUPT && timed_out_) raise_ado(kCommandTimeout, where);
    fail(kCommandFailed, where);
  }

  // Steps `s` to its end, keeping its rows in `out` when given. True when it returns columns.
  // `columns` are read after the first step when there are none yet, and read again when that
  // step prepared the statement again: SQLite does so by itself after a schema change (a
  // form's table gained or lost a field), and `select *` then returns other columns.
  bool run(sqlite3_stmt* s, std::shared_ptr<const ColumnNames>& columns, ResultSet* out,
           vb::Here where) {
    ResetOnExit reset(s);
    const struct CountPreparesAgain {
      sqlite3_stmt* s;
      ~CountPreparesAgain() {
        prepares.fetch_add(sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 1),
                           std::memory_order_relaxed);
      }
    } count_prepares_again{s};
    int rc = sqlite3_step(s);
    if (!columns || sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 0) > 0) {
      columns = column_names(s);
    }
    const int n = static_cast<int>(columns->size());
    if (out != nullptr && n > 0) out->start(columns);
    for (; rc != SQLITE_DONE; rc = sqlite3_step(s)) {
      if (rc != SQLITE_ROW) step_failed(rc, where);
      if (out == nullptr) continue;
      for (int i = 0; i < n; ++i) add_column(*out, s, i);
    }
    return n > 0;
  }

  // The table's INTEGER PRIMARY KEY column, "" when it has none.
  const std::string& key_column(const std::string& table, vb::Here where) {
    const std::string lower_name = ascii_lowered(table);
    auto it = key_columns_.find(lower_name);
    if (it != key_columns_.end()) return it->second;
    PreparedStatement& pragma = *prepared("PRAGMA table_info(" + quoted_name(table) + ")", where);
    ResultSet info;
    run(pragma.statement, pragma.columns, &info, where);
    std::string key;
    int keys = 0;
    for (std::size_t r = 0; r < info.row_count(); ++r) {  // cid, name, type, notnull, dflt_value, pk
      if (info.value(r, 5) == 0) continue;
      ++keys;
      const vb::Variant type = info.value(r, 2);
      if (type.is_string() && ascii_iequals(type.str(), "INTEGER")) key = info.value(r, 1).str();
    }
    return key_columns_.emplace(lower_name, keys == 1 ? key : "").first->second;
  }

  // Adds to `p`'s traits what SQLite met since met_ was last emptied, and empties it.
  void take_traits(PreparedStatement& p) {
    p.traits.changes_between_runs = p.traits.changes_between_runs || met_.changes_between_runs;
    p.traits.alters_session = p.traits.alters_session || met_.alters_session;
    met_ = {};
  }

  // Bounds the statements run while it lives to `timeout_seconds` (none when 0 or less).
  class Deadline {
   public:
    Deadline(SqliteConnection& c, long timeout_seconds) : c_(c) {
      c_.timed_out_ = false;
      c_.has_deadline_ = timeout_seconds > 0;
      if (c_.has_deadline_) c_.deadline_ = Clock::now() + std::chrono::seconds(timeout_seconds);
    }
    ~Deadline() { c_.has_deadline_ = false; }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

   private:
    SqliteConnection& c_;
  };

  static int on_progress(void* self) {
    auto* c = static_cast<SqliteConnection*>(self);
    if (!c->has_deadline_ || Clock::now() < c->deadline_) return 0;
    c->timed_out_ = true;
    return 1;
  }

  // SQLite's authorizer, called while it prepares a statement (in sqlite3_step too, when it
  // prepares one again after a schema change), for what the text and the views it reads do.
  // Notes it in met_ and allows everything.
  static int on_prepare(void* self, int action, const char* /*name*/, const char* function,
                        const char* /*database*/, const char* /*view*/) {
    StatementTraits& met = static_cast<SqliteConnection*>(self)->met_;
    if (action == SQLITE_FUNCTION && function != nullptr &&
        std::any_of(std::begin(kChangingFunctions), std::end(kChangingFunctions),
                    [&](std::string_view f) { return ascii_iequals(function, f); })) {
      met.changes_between_runs = true;
    }
    if (action == SQLITE_PRAGMA || action == SQLITE_ATTACH) {
      met.alters_session = true;
    }
    return SQLITE_OK;
  }

  static int on_busy(void* self, int attempt) {
    auto* c = static_cast<SqliteConnection*>(self);
    const auto now = Clock::now();
    if (attempt == 0) c->busy_since_ = now;
    if (now - c->busy_since_ > kBusyTimeout) return 0;
    if (attempt < kBusyYields) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(kBusyPause);
    }
    return 1;
  }

  Database db_;  // declared first: closed last
  std::string path_;
  FileIdentity opened_file_;
  mutable Clock::time_point next_identity_check_;
  std::shared_ptr<WriterQueue> writers_;
  StatementCache<PreparedStatement> cache_{kCachedStatements};
  SqlShape shape_;  // of the statement being run
  ReadMemo memo_;  // the reads of the open read transaction
  StatementTraits met_;   // what SQLite met preparing the statement being run (see on_prepare)
  bool altered_ = false;  // a PRAGMA or ATTACH ran: the session is not pooled again
  OwnedStatement begin_read_, end_read_, schema_version_, index_literals_query_;
  IndexLiterals index_literals_;  // see kIndexLiteralsQuery
  int schema_read_ = -1;          // the schema version index_literals_ was read at
  std::unordered_map<std::string, std::string> key_columns_;  // lower-case table -> key column
  bool share_reads_ = false;  // reads share one transaction (a request scope is open)
  bool reading_ = false;      // that transaction is open
  bool in_explicit_ = false;  // between BeginTrans and CommitTrans/RollbackTrans
  WriterTurn explicit_turn_;  // the writer turn the explicit transaction holds
  Clock::time_point deadline_, busy_since_;
  bool has_deadline_ = false;
  bool timed_out_ = false;
};

}  // namespace

long sqlite_prepares() { return prepares.load(std::memory_order_relaxed); }

void observe_read_answers(void (*observer)(std::string_view sql)) {
  answer_observer.store(observer, std::memory_order_relaxed);
}

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
