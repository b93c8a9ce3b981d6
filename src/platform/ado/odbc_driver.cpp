// ODBC sessions: the page's text sent as written (the server's own plan cache reuses its plans),
// prepared and kept per session once it repeats, rows read into Variants, rows inserted and read
// back in one statement, updates by primary key, transactions by the autocommit switch.
#include "platform/ado/odbc_driver.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/kept_statements.h"
#include "platform/ado/odbc_socket.h"
#include "platform/ado/odbc_text.h"
#include "platform/ado/row_statements.h"
#include "platform/ado/sqlite_values.h"
#include "platform/ado/tsql_dialect.h"
#include "vb/builtins.h"
#include "vb/calendar.h"

namespace platform::ado {
namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 5;
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));

SQLHENV environment() {
  static const SQLHENV env = [] {
    SQLHENV e = SQL_NULL_HENV;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &e);
    SQLSetEnvAttr(e, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return e;
  }();
  return env;
}

bool ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// A text the driver wrote through a wide call, as UTF-8.
std::string from_wide(const SQLWCHAR* text) {
  return from_utf16(reinterpret_cast<const char16_t*>(text));
}

// The driver's diagnostics of a handle: each record's message, then its SQLSTATE and native
// error number, as ADO showed them; a record that repeats an earlier one (FreeTDS reports a
// failed login twice) is left out. `state` receives the first record's SQLSTATE. `wide` reads
// them through the wide call (see OdbcConnection::wide_).
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle, bool wide,
                        std::string* state = nullptr) {
  std::string out;
  std::vector<std::string> seen;
  for (SQLSMALLINT i = 1;; ++i) {
    std::string sqlstate, record;
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (wide) {
      SQLWCHAR code[6] = {}, text[1024] = {};
      if (!ok(SQLGetDiagRecW(type, handle, i, code, &native, text, 1024, &length))) break;
      sqlstate = from_wide(code);
      record = from_wide(text);
    } else {
      SQLCHAR code[6] = {}, text[1024] = {};
      if (!ok(SQLGetDiagRec(type, handle, i, code, &native, text, sizeof text, &length))) break;
      sqlstate = reinterpret_cast<const char*>(code);
      record = reinterpret_cast<const char*>(text);
    }
    if (i == 1 && state != nullptr) *state = sqlstate;
    record += " (SQLSTATE " + sqlstate + ", native error " + std::to_string(native) + ")";
    if (std::find(seen.begin(), seen.end(), record) != seen.end()) continue;
    out += (out.empty() ? "" : " ") + record;
    seen.push_back(std::move(record));
  }
  return out.empty() ? "The ODBC driver gave no reason." : out;
}

struct Statement {
  SQLHSTMT h = SQL_NULL_HSTMT;
  std::shared_ptr<const ColumnNames> columns;  // of its rows, read on the first run
  // Prepared on the handle; otherwise `text` is sent with the run.
  bool prepared = false;
  std::string text;
  explicit Statement(SQLHDBC dbc) { SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h); }
  ~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, h); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
};

// The parameters of one run: values kept alive until the statement has run.
class Parameters {
 public:
  void bind(SQLHSTMT s, const vb::Variant& value, vb::Here where) {
    vb::Variant holder;
    const vb::Variant& v = value.value_ref(holder, where);
    Slot& slot = slots_.emplace_back();
    const auto n = static_cast<SQLUSMALLINT>(slots_.size());
    using Kind = enum vb::VarType;
    const Kind type = v.type();
    if (v.is_empty() || v.is_null()) {
      slot.indicator = SQL_NULL_DATA;
      SQLBindParameter(s, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr, 0,
                       &slot.indicator);
    } else if (type == Kind::Boolean || type == Kind::Integer || type == Kind::Long) {
      slot.integer = type == Kind::Boolean ? (v.truthy() ? -1 : 0) : vb::CLng(v, where);
      SQLBindParameter(s, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &slot.integer, 0,
                       nullptr);
    } else if (type == Kind::Double || type == Kind::Currency) {
      slot.number = vb::CDbl(v, where);
      SQLBindParameter(s, n, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, &slot.number, 0,
                       nullptr);
    } else if (v.is_array()) {
      vb::raise(vb::kTypeMismatch, where);
    } else {
      // Text goes as wide text, its size counted in UTF-16 units as NVARCHAR counts them: a
      // narrow type's size would be taken as bytes of the server's code page and cut it.
      slot.text = to_utf16(type == Kind::Date ? stored_date_text(vb::CDate(v, where))
                                              : vb::CStr(v, where));
      slot.indicator = static_cast<SQLLEN>(slot.text.size() * sizeof(char16_t));
      const SQLULEN size = std::max<SQLULEN>(1, slot.text.size());
      SQLBindParameter(s, n, SQL_PARAM_INPUT, SQL_C_WCHAR,
                       size > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR, size, 0, slot.text.data(),
                       slot.indicator, &slot.indicator);
    }
  }

 private:
  struct Slot {
    SQLLEN indicator = 0;
    SQLBIGINT integer = 0;
    double number = 0;
    std::u16string text;
  };
  std::deque<Slot> slots_;  // stable addresses while growing
};

class OdbcConnection final : public DriverConnection {
 public:
  OdbcConnection(SQLHDBC dbc, OdbcSocket socket) : dbc_(dbc), socket_(std::move(socket)) {
    SQLCHAR name[128] = {};
    SQLSMALLINT length = 0;
    SQLGetInfo(dbc_, SQL_DBMS_NAME, name, sizeof name, &length);
    translate_ =
        ascii_lowered(reinterpret_cast<const char*>(name)).find("sqlite") != std::string::npos;
    wide_ = !translate_;
  }
  ~OdbcConnection() override {
    kept_.clear();  // before the session they belong to
    one_off_.reset();
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
  }

  bool execute(std::string_view sql, ResultSet& result, long timeout_seconds,
               vb::Here where) override {
    // Its literals stay in the text, where the server reads them with its own types: bound,
    // they would change its comparisons and plans, pass its limit of 2,100 parameters, or
    // stand where T-SQL takes only a constant.
    return run(statement_for(sql, false, where), result, timeout_seconds, where);
  }

  Row insert_row(const std::string& table, const ColumnNames& columns, const Row& values,
                 const std::vector<bool>& assigned, long timeout_seconds, vb::Here where) override {
    // SQL Server reads the new row back in the same batch, by its key; SQLite is asked for it
    // by rowid.
    static const std::string kNoKey;
    const std::string& key = translate_ ? kNoKey : key_column(table);
    Statement& insert = statement_for(translate_ ? insert_statement(table, columns, assigned)
                                                 : sql_server_insert(table, columns, assigned, key),
                                      true, where);
    Parameters parameters;
    std::size_t assigned_key = columns.size();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (!assigned[i]) continue;
      parameters.bind(insert.h, values[i], where);
      if (!key.empty() && ascii_iequals(columns[i], key)) assigned_key = i;
    }
    if (assigned_key < columns.size()) parameters.bind(insert.h, values[assigned_key], where);
    ResultSet row;
    run(insert, row, timeout_seconds, where);
    if (translate_) {
      run(statement_for("SELECT " + column_list(columns) + " FROM " + quoted_name(table) +
                            " WHERE rowid=last_insert_rowid()",
                        false, where),
          row, timeout_seconds, where);
    }
    return row.row_count() == 1 ? row.row(0) : values;
  }

  void update_row(const std::string& table, const ColumnNames& columns, const Row& original,
                  const Row& values, const std::vector<bool>& assigned, long timeout_seconds,
                  vb::Here where) override {
    const std::string& key = key_column(table);
    const std::size_t key_index = key_position(columns, key, where);
    const std::string sql = update_statement(table, columns, assigned, key);
    if (sql.empty()) return;
    Statement& update = statement_for(sql, true, where);
    Parameters parameters;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (assigned[i]) parameters.bind(update.h, values[i], where);
    }
    parameters.bind(update.h, original[key_index], where);
    run(update, timeout_seconds, where);
    SQLLEN changed = 0;
    SQLRowCount(update.h, &changed);
    if (changed == 0) raise_row_gone(where);
  }

  void begin(vb::Here where) override {
    if (in_transaction_) raise_ado(kProviderFailed, "A transaction is already pending.", where);
    // SQLite takes its write lock at the start, as the embedded driver does, so that two
    // writers queue instead of failing when the second would upgrade its read lock.
    if (translate_) {
      run(statement_for("BEGIN IMMEDIATE", false, where), 0, where);
    } else {
      set_autocommit(false, where);
    }
    in_transaction_ = true;
  }
  void commit(vb::Here where) override { end(true, where); }
  void rollback(vb::Here where) override { end(false, where); }
  bool in_transaction() const noexcept override { return in_transaction_; }

  // Reads run as the database runs single statements (autocommit); nothing to share.
  void share_reads(bool) noexcept override {}

  // FreeTDS finds out that the server hung up (a restart, a fail-over) only when a statement
  // fails on it; the socket tells before the session's next request runs anything.
  bool still_valid() const noexcept override {
    if (socket_.hung_up()) return false;
    SQLUINTEGER dead = SQL_CD_FALSE;
    SQLGetConnectAttr(dbc_, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return dead != SQL_CD_TRUE;
  }

  bool reset() noexcept override {
    if (!in_transaction_) return true;
    try {
      end(false, vb::Here{});
      return true;
    } catch (const vb::VbError&) {
      return false;
    }
  }

 private:
  [[noreturn]] void fail(long number, SQLSMALLINT type, SQLHANDLE handle, vb::Here where) {
    std::string state;
    std::string message = diagnostics(type, handle, wide_, &state);
    if (state == "HYT00" || state == "HYT01") raise_ado(kCommandTimeout, where);
    raise_ado(number, std::move(message), where);
  }

  void set_autocommit(bool on, vb::Here where) {
    const auto value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    if (!ok(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value), 0))) {
      fail(kProviderFailed, SQL_HANDLE_DBC, dbc_, where);
    }
  }

  void end(bool commit, vb::Here where) {
    if (!in_transaction_) raise_ado(kProviderFailed, "No transaction is pending.", where);
    in_transaction_ = false;
    if (translate_) {
      run(statement_for(commit ? "COMMIT" : "ROLLBACK", false, where), 0, where);
      return;
    }
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, commit ? SQL_COMMIT : SQL_ROLLBACK);
    set_autocommit(true, where);
    if (!ok(rc)) fail(kProviderFailed, SQL_HANDLE_DBC, dbc_, where);
  }

  // Where `sql` runs (translated for SQLite): the statement kept for it, one prepared and kept
  // now when it repeats, or else the session's one-off statement, which sends the text with
  // its run. A statement with parameters (`bound`) always runs one-off: FreeTDS prepares a
  // statement again, and frees the old one on the server, each time its parameters are bound.
  Statement& statement_for(std::string_view sql, bool bound, vb::Here where) {
    if (!bound) {
      if (std::unique_ptr<Statement>* kept = kept_.find(sql)) return **kept;
      if (kept_.worth_keeping(sql)) {
        auto statement = std::make_unique<Statement>(dbc_);
        if (!ok(submit(statement->h, translated(sql), true))) {
          fail(kCommandFailed, SQL_HANDLE_STMT, statement->h, where);
        }
        statement->prepared = true;
        return *kept_.keep(std::string(sql), std::move(statement));
      }
    }
    one_off_->text = translated(sql);
    return *one_off_;
  }

  std::string translated(std::string_view sql) const {
    return translate_ ? translate_tsql(sql) : std::string(sql);
  }

  // Prepares `text` on the statement, or runs it. See wide_.
  SQLRETURN submit(SQLHSTMT s, const std::string& text, bool prepare) {
    if (wide_) {
      std::u16string utf16 = to_utf16(text);
      auto* w = reinterpret_cast<SQLWCHAR*>(utf16.data());
      const auto n = static_cast<SQLINTEGER>(utf16.size());
      return prepare ? SQLPrepareW(s, w, n) : SQLExecDirectW(s, w, n);
    }
    auto* narrow = reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.data()));
    const auto n = static_cast<SQLINTEGER>(text.size());
    return prepare ? SQLPrepare(s, narrow, n) : SQLExecDirect(s, narrow, n);
  }

  // Runs a statement that returns no rows.
  void run(Statement& statement, long timeout_seconds, vb::Here where) {
    ResultSet none;
    run(statement, none, timeout_seconds, where);
  }

  // Runs the statement; the rows of its first result with columns go to `out`. True when it
  // returned columns. The statement is closed again for its next run, however this ends.
  bool run(Statement& statement, ResultSet& out, long timeout_seconds, vb::Here where) {
    const SQLHSTMT s = statement.h;
    struct Close {
      SQLHSTMT s;
      ~Close() {
        SQLFreeStmt(s, SQL_CLOSE);
        SQLFreeStmt(s, SQL_RESET_PARAMS);
      }
    } close{s};
    SQLSetStmtAttr(
        s, SQL_ATTR_QUERY_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(std::max(0L, timeout_seconds))), 0);
    const SQLRETURN rc = statement.prepared ? SQLExecute(s) : submit(s, statement.text, false);
    if (rc != SQL_NO_DATA && !ok(rc)) fail(kCommandFailed, SQL_HANDLE_STMT, s, where);
    bool has_rows = false;
    do {
      SQLSMALLINT n = 0;
      SQLNumResultCols(s, &n);
      if (n == 0) continue;
      if (!has_rows) read_rows(statement, n, out, where);
      has_rows = true;
    } while (ok(SQLMoreResults(s)));
    return has_rows;
  }

  void read_rows(Statement& statement, SQLSMALLINT n, ResultSet& out, vb::Here where) {
    const SQLHSTMT s = statement.h;
    std::vector<SQLSMALLINT> types(static_cast<std::size_t>(n));
    auto columns = std::make_shared<ColumnNames>();
    for (SQLSMALLINT i = 1; i <= n; ++i) {
      SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      if (wide_) {
        SQLWCHAR name[256] = {};
        SQLDescribeColW(s, i, name, 256, &length, &type, &size, &digits, &nullable);
        columns->push_back(from_wide(name));
      } else {
        SQLCHAR name[256] = {};
        SQLDescribeCol(s, i, name, sizeof name, &length, &type, &size, &digits, &nullable);
        columns->emplace_back(reinterpret_cast<const char*>(name));
      }
      types[static_cast<std::size_t>(i - 1)] = type;
      if (type == SQL_DECIMAL || type == SQL_NUMERIC) {
        SQLCHAR type_name[64] = {};
        SQLColAttribute(s, i, SQL_DESC_TYPE_NAME, type_name, sizeof type_name, nullptr, nullptr);
        if (ascii_lowered(reinterpret_cast<const char*>(type_name)).find("money") !=
            std::string::npos) {
          types[static_cast<std::size_t>(i - 1)] = kMoney;
        }
      }
    }
    // One list of names per statement, so a recordset reopened on it keeps its fields.
    if (!statement.columns || *statement.columns != *columns)
      statement.columns = std::move(columns);
    out.start(statement.columns);
    for (;;) {
      const SQLRETURN rc = SQLFetch(s);
      if (rc == SQL_NO_DATA) break;
      if (!ok(rc)) fail(kCommandFailed, SQL_HANDLE_STMT, s, where);
      for (SQLSMALLINT i = 1; i <= n; ++i) {
        read_value(s, i, types[static_cast<std::size_t>(i - 1)], out, where);
      }
    }
  }

  // A driver type of our own for money columns, which read as Currency.
  static constexpr SQLSMALLINT kMoney = -1000;

  // Adds the column's value in the current row to `out`.
  void read_value(SQLHSTMT s, SQLUSMALLINT column, SQLSMALLINT type, ResultSet& out,
                  vb::Here where) {
    SQLLEN indicator = 0;
    switch (type) {
      case SQL_BIT: {
        unsigned char bit = 0;
        get(s, column, SQL_C_BIT, &bit, sizeof bit, &indicator, where);
        if (indicator == SQL_NULL_DATA) return out.add_null();
        return out.add_value(vb::Variant(bit != 0));
      }
      case SQL_TINYINT:
      case SQL_SMALLINT:
      case SQL_INTEGER:
      case SQL_BIGINT: {
        SQLBIGINT n = 0;
        get(s, column, SQL_C_SBIGINT, &n, sizeof n, &indicator, where);
        if (indicator == SQL_NULL_DATA) return out.add_null();
        return out.add_integer(n);
      }
      case SQL_REAL:
      case SQL_FLOAT:
      case SQL_DOUBLE:
      case SQL_DECIMAL:
      case SQL_NUMERIC:
      case kMoney: {
        double d = 0;
        get(s, column, SQL_C_DOUBLE, &d, sizeof d, &indicator, where);
        if (indicator == SQL_NULL_DATA) return out.add_null();
        if (type == kMoney)
          return out.add_value(vb::Variant(vb::Currency{std::llround(d * 10000)}));
        return out.add_real(d);
      }
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIME:
      case SQL_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT t{};
        get(s, column, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &indicator, where);
        if (indicator == SQL_NULL_DATA) return out.add_null();
        vb::DateFields f;
        if (type != SQL_TYPE_TIME) {
          f.year = t.year;
          f.month = t.month;
          f.day = t.day;
        }
        f.hour = t.hour;
        f.minute = t.minute;
        f.second = t.second;
        return out.add_value(vb::Variant(vb::make_date(f)));
      }
      case SQL_BINARY:
      case SQL_VARBINARY:
      case SQL_LONGVARBINARY:
        return read_long(s, column, SQL_C_BINARY, out, where);
      default:
        return read_long(s, column, SQL_C_WCHAR, out, where);
    }
  }

  void get(SQLHSTMT s, SQLUSMALLINT column, SQLSMALLINT c_type, void* buffer, SQLLEN size,
           SQLLEN* indicator, vb::Here where) {
    if (!ok(SQLGetData(s, column, c_type, buffer, size, indicator))) {
      fail(kCommandFailed, SQL_HANDLE_STMT, s, where);
    }
  }

  // Text (as UTF-16, returned as UTF-8) or bytes of any length, read in pieces.
  void read_long(SQLHSTMT s, SQLUSMALLINT column, SQLSMALLINT c_type, ResultSet& out,
                 vb::Here where) {
    std::string bytes;
    char piece[4096];
    for (;;) {
      SQLLEN indicator = 0;
      const SQLRETURN rc = SQLGetData(s, column, c_type, piece, sizeof piece, &indicator);
      if (rc == SQL_NO_DATA) break;
      if (!ok(rc)) fail(kCommandFailed, SQL_HANDLE_STMT, s, where);
      if (indicator == SQL_NULL_DATA) return out.add_null();
      // A piece that did not fit fills the buffer, less the terminator a text piece ends with.
      const std::size_t terminator = c_type == SQL_C_WCHAR ? sizeof(SQLWCHAR) : 0;
      const bool truncated = indicator == SQL_NO_TOTAL ||
                             static_cast<std::size_t>(indicator) > sizeof piece - terminator;
      bytes.append(piece,
                   truncated ? sizeof piece - terminator : static_cast<std::size_t>(indicator));
      if (rc == SQL_SUCCESS) break;
    }
    if (c_type == SQL_C_BINARY) return out.add_text(bytes);
    out.add_text(from_utf16(std::u16string_view(reinterpret_cast<const char16_t*>(bytes.data()),
                                                bytes.size() / sizeof(char16_t))));
  }

  // The table's one primary-key column, "" when it has none or several.
  const std::string& key_column(const std::string& table) {
    const std::string lower = ascii_lowered(table);
    if (auto it = key_columns_.find(lower); it != key_columns_.end()) return it->second;
    Statement s(dbc_);
    std::string key;
    int keys = 0;
    std::u16string utf16 = to_utf16(table);
    const SQLRETURN rc =
        wide_ ? SQLPrimaryKeysW(s.h, nullptr, 0, nullptr, 0,
                                reinterpret_cast<SQLWCHAR*>(utf16.data()),
                                static_cast<SQLSMALLINT>(utf16.size()))
              : SQLPrimaryKeys(s.h, nullptr, 0, nullptr, 0,
                               reinterpret_cast<SQLCHAR*>(const_cast<char*>(table.data())),
                               static_cast<SQLSMALLINT>(table.size()));
    if (ok(rc)) {
      while (ok(SQLFetch(s.h))) {
        ++keys;
        SQLWCHAR column[256] = {};
        SQLLEN length = 0;
        SQLGetData(s.h, 4, SQL_C_WCHAR, column, sizeof column, &length);  // COLUMN_NAME
        key = from_wide(column);
      }
    }
    return key_columns_.emplace(lower, keys == 1 ? key : "").first->second;
  }

  SQLHDBC dbc_;
  OdbcSocket socket_;
  bool translate_ = false;
  // Texts go to the driver as UTF-16 through the wide calls, so that FreeTDS sends them whole
  // whatever client charset the connection string gave it; SQLite's driver has no wide calls
  // (the driver manager would cut them to bytes) and takes UTF-8 through the narrow ones.
  bool wide_ = true;
  bool in_transaction_ = false;
  KeptStatements<std::unique_ptr<Statement>> kept_;
  std::unique_ptr<Statement> one_off_ = std::make_unique<Statement>(dbc_);
  std::unordered_map<std::string, std::string> key_columns_;  // lower-case table -> key column
};

}  // namespace

std::unique_ptr<DriverConnection> open_odbc(const std::string& connection_text, vb::Here where) {
  SQLHDBC dbc = SQL_NULL_HDBC;
  if (!ok(SQLAllocHandle(SQL_HANDLE_DBC, environment(), &dbc))) {
    raise_ado(kProviderFailed, "The ODBC driver manager cannot be started.", where);
  }
  SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds),
                    0);
  SQLSetConnectAttr(dbc, SQL_ATTR_CONNECTION_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
  SQLRETURN rc = SQL_ERROR;
  OdbcSocket socket = OdbcSocket::opened_by([&] {
    rc = SQLDriverConnect(
        dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connection_text.data())),
        static_cast<SQLSMALLINT>(connection_text.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  });
  if (!ok(rc)) {
    std::string message = diagnostics(SQL_HANDLE_DBC, dbc, false);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    raise_ado(kProviderFailed, std::move(message), where);
  }
  return std::make_unique<OdbcConnection>(dbc, std::move(socket));
}

}  // namespace platform::ado
