// Picks the driver for a connection string's provider.
#include "platform/ado/driver.h"

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/connection_string.h"
#include "platform/ado/sqlite_driver.h"

namespace platform::ado {

std::unique_ptr<DriverConnection> connect(const ConnectionString& settings, vb::Here where) {
  const std::string provider = settings.get("Provider");
  if (!ascii_iequals(provider, "SQLite")) {
    raise_ado(kProviderFailed,
              provider.empty() ? "The connection string names no Provider."
                               : "Provider cannot be found. It may not be properly installed.",
              where);
  }
  const std::string path = settings.get("Data Source");
  if (path.empty()) raise_ado(kProviderFailed, "The connection string names no Data Source.", where);
  return open_sqlite(path, where);
}

}  // namespace platform::ado
