// The tie between an open Connection, its pooled session and the Recordsets opened on it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/driver.h"
#include "vb/builtins.h"

namespace platform::ado {

class Connection;

// Owned by the open Connection alone; Recordsets hold it weakly, so closing or destroying the
// Connection expires their link. Destroying it gives the session back to the pool.
struct ConnectionLink {
  ConnectionLink(std::string key, std::unique_ptr<DriverConnection> session, const Connection& owner)
      : connect_string(std::move(key)), driver(std::move(session)), connection(&owner) {}
  ~ConnectionLink();
  ConnectionLink(const ConnectionLink&) = delete;
  ConnectionLink& operator=(const ConnectionLink&) = delete;

  // The owner's CommandTimeout, read as each statement starts.
  long timeout() const;

  std::string connect_string;
  std::unique_ptr<DriverConnection> driver;
  const Connection* connection;
};

// The SQL text a Variant holds, without a copy when it holds a String (else converted into
// `converted`, which must outlive the view).
inline std::string_view sql_text_of(const vb::Variant& sql, std::string& converted, vb::Here where) {
  if (sql.is_string()) return sql.str();
  converted = vb::CStr(sql, where);
  return converted;
}

}  // namespace platform::ado
