// ODBC sessions through the unixODBC driver manager: SQL Server through FreeTDS, or any other
// database an ODBC driver reaches.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/driver.h"

namespace platform::ado {

// Opens a session with the ODBC connection text (see odbc_settings.h); the login waits at most
// a few seconds. SQL Server receives the page's T-SQL as written; a database that reports
// itself as SQLite receives it translated, as the embedded driver does. -2147467259 with the
// driver's message (never the connection text) when the session cannot be opened.
std::unique_ptr<DriverConnection> open_odbc(const std::string& connection_text, vb::Here where);

}  // namespace platform::ado
