// Picks the driver for a connection string: the embedded SQLite driver or ODBC.
#include "platform/ado/driver.h"

#include "platform/ado/ado_error.h"
#include "platform/ado/connection_string.h"
#include "platform/ado/odbc_driver.h"
#include "platform/ado/odbc_settings.h"
#include "platform/ado/sqlite_driver.h"

namespace platform::ado {

std::unique_ptr<DriverConnection> connect(std::string_view connect_string, vb::Here where) {
  const std::string odbc = odbc_connection_text(connect_string, where);
  if (!odbc.empty()) return open_odbc(odbc, where);
  const std::string path = ConnectionString(connect_string).get("Data Source");
  if (path.empty()) raise_ado(kProviderFailed, "The connection string names no Data Source.", where);
  return open_sqlite(path, where);
}

}  // namespace platform::ado
