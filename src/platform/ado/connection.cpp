// Connection: open, run statements, transactions, and the hand-back to the pool.
#include "platform/ado/connection.h"

#include "platform/ado/ado_error.h"
#include "platform/ado/connection_link.h"
#include "platform/ado/pool.h"
#include "platform/ado/recordset.h"
#include "platform/ado/request_scope.h"
#include "vb/builtins.h"

namespace platform::ado {

ConnectionLink::~ConnectionLink() {
  ConnectionPool::instance().release(connect_string, std::move(driver));
}

long ConnectionLink::timeout() const { return connection->CommandTimeout; }

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open(const vb::Variant& connect_string, vb::Here where) {
  if (link_) raise_ado(kObjectOpen, where);
  std::string key = vb::CStr(connect_string, where);
  std::unique_ptr<DriverConnection> session = ConnectionPool::instance().acquire(key, where);
  link_ = std::make_shared<ConnectionLink>(std::move(key), std::move(session), *this);
  if (RequestScope* scope = RequestScope::current()) scope->enlist(link_);
}

vb::Variant Connection::Execute(const vb::Variant& sql, vb::Here where) {
  std::shared_ptr<ConnectionLink> open = link(where);
  std::string converted;
  const std::string_view text = sql_text_of(sql, converted, where);
  ResultSet result;
  if (!open->driver->execute(text, result, CommandTimeout, where)) return vb::Variant();
  auto rows = std::make_shared<Recordset>();
  rows->rows_ = std::move(result);
  rows->hold(open, text, kForwardOnly, kReadOnly);
  return vb::Variant(rows);
}

void Connection::Close(vb::Here where) {
  if (!link_) raise_ado(kObjectClosed, where);
  link_.reset();
}

void Connection::BeginTrans(vb::Here where) { link(where)->driver->begin(where); }
void Connection::CommitTrans(vb::Here where) { link(where)->driver->commit(where); }
void Connection::RollbackTrans(vb::Here where) { link(where)->driver->rollback(where); }

long Connection::State() const { return link_ ? 1 : 0; }

bool Connection::in_transaction() const { return link_ && link_->driver->in_transaction(); }

std::shared_ptr<ConnectionLink> Connection::link(vb::Here where) const {
  if (!link_) raise_ado(kConnectionUnusable, where);
  return link_;
}

}  // namespace platform::ado
