// Connection: the page's session with the office database, opened from an ADO-style
// connection string and taken from (and given back to) the process-wide pool.
#pragma once

#include <memory>
#include <string>

#include "vb/variant.h"

namespace platform::ado {

struct ConnectionLink;

// One database session. Used by one thread at a time (the request's); many Connections on many
// threads may share one database. Open takes a pooled session for the same connection string
// when one is idle; Close and the destructor give it back (a pending transaction is rolled back
// first). Errors carry the caller's line.
class Connection final : public vb::Object {
 public:
  Connection();
  ~Connection() override;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  std::string type_name() const override { return "Connection"; }

  // Seconds a statement may run before it is stopped with -2147217871 (0: no limit). Read when
  // a statement starts.
  long CommandTimeout = 30;

  // Opens the database named by `connect_string`, "Provider=SQLite;Data Source=PATH" (keys in
  // any case, ";"-separated). Raises -2147467259 with the reason when the provider is unknown or
  // the database cannot be opened (a missing file is not created), 3705 when already open.
  void Open(const vb::Variant& connect_string, vb::Here where = vb::Here::current());

  // Runs one SQL text as the page writes it (T-SQL forms are translated). For a query returns
  // a forward-only Recordset holding its rows (RecordCount -1, walked to EOF); for a statement
  // returns Empty. Raises -2147217900 with the database's message when the database rejects the
  // text, 3709 when the connection is not open.
  vb::Variant Execute(const vb::Variant& sql, vb::Here where = vb::Here::current());

  // Gives the session back to the pool. 3704 when not open.
  void Close(vb::Here where = vb::Here::current());

  // Transactions: one level, no nesting. 3709 when not open; -2147467259 for a second
  // BeginTrans or a Commit/Rollback without one.
  void BeginTrans(vb::Here where = vb::Here::current());
  void CommitTrans(vb::Here where = vb::Here::current());
  void RollbackTrans(vb::Here where = vb::Here::current());

  // 1 (adStateOpen) while open, else 0 (adStateClosed).
  long State() const;

  // True while a BeginTrans of this connection waits for its CommitTrans or RollbackTrans; a
  // part of the work that must roll back alone inside it uses a savepoint ("SAVE TRANSACTION
  // name", "ROLLBACK TRANSACTION name"). False when closed.
  bool in_transaction() const;

 private:
  friend class Recordset;
  // The open session, shared with the Recordsets opened on it; a Recordset that outlives the
  // Close sees the link expire. 3709 when not open.
  std::shared_ptr<ConnectionLink> link(vb::Here where) const;

  std::shared_ptr<ConnectionLink> link_;
};

}  // namespace platform::ado
