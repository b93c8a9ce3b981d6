// The interface between Connection/Recordset and a database: one open session per instance.
// Two drivers stand behind connect(): the embedded SQLite one and ODBC (SQL Server).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/result_set.h"
#include "vb/variant.h"

namespace platform::ado {

// One open database session. Used by one thread at a time; sessions move between threads
// through the pool. Every call that fails raises vb::VbError at `where`.
class DriverConnection {
 public:
  virtual ~DriverConnection() = default;

  // Runs SQL as the page writes it (the driver translates its T-SQL forms). When the text is a
  // query its rows replace those of `result` and the call returns true; a statement returns
  // false and leaves `result` alone. A delete that finds no row to remove takes no write lock.
  // `timeout_seconds` > 0 bounds the time it may run (-2147217871). -2147217900 with the
  // database's message when the database rejects the text.
  virtual bool execute(std::string_view sql, ResultSet& result, long timeout_seconds,
                       vb::Here where) = 0;

  // Inserts into `table` the values of the columns marked in `assigned` and returns the new row
  // read back with all of `columns` (so the key the database gave it is there).
  virtual Row insert_row(const std::string& table, const ColumnNames& columns,
                         const Row& values, const std::vector<bool>& assigned,
                         long timeout_seconds, vb::Here where) = 0;

  // Writes the assigned columns of the row of `table` whose integer key is the key column's
  // value in `original`. -2147467259 when the table has no integer key among `columns`,
  // -2147217864 when no row has that key any more.
  virtual void update_row(const std::string& table, const ColumnNames& columns,
                          const Row& original, const Row& values,
                          const std::vector<bool>& assigned, long timeout_seconds,
                          vb::Here where) = 0;

  // One level of transaction, in which every statement runs. Failures raise -2147467259 with
  // the database's message.
  virtual void begin(vb::Here where) = 0;
  virtual void commit(vb::Here where) = 0;
  virtual void rollback(vb::Here where) = 0;
  // True between a begin() and the commit() or rollback() that ends it.
  virtual bool in_transaction() const noexcept = 0;

  // While on, the session's reads share one read transaction, begun by the first read and
  // ended by share_reads(false), a write (which runs in a transaction of its own), begin() or
  // reset(); while off, each statement runs in its own.
  virtual void share_reads(bool on) noexcept = 0;

  // False once the session no longer reaches what its connection string names (a database
  // file deleted or replaced since it was opened); the pool then opens a new one.
  virtual bool still_valid() const noexcept = 0;

  // Makes the session ready for its next user: rolls back a pending transaction and stops
  // sharing reads. False when the session is no longer usable, or no longer as it was opened
  // (a PRAGMA or an ATTACH changed it), and should be closed instead of pooled.
  virtual bool reset() noexcept = 0;
};

// Opens a session for what the connection string names (see odbc_settings.h): the embedded
// SQLite database of "Provider=SQLite;Data Source=PATH", or an ODBC session. -2147467259 when
// the provider is unknown or the database cannot be opened.
std::unique_ptr<DriverConnection> connect(std::string_view connect_string, vb::Here where);

}  // namespace platform::ado
