// Which driver a connection string asks for, and the ODBC connection text of the ODBC ones.
#pragma once

#include <string>
#include <string_view>

#include "vb/error.h"

namespace platform::ado {

// The ODBC connection text for `text`, or "" when it names the embedded SQLite provider.
//   "Provider=SQLite;..."                          -> "" (the embedded driver)
//   a string naming "Driver=" or "DSN="            -> the string as it stands
//   "Provider=SQLOLEDB;Data Source=HOST[,PORT];Initial Catalog=DB;User ID=U;Password=P"
//   (keys in any case and order; Server, Database, UID and PWD as synonyms; any SQL Server
//   provider; "tcp:" before the server is dropped)  -> the FreeTDS driver with those settings
// Raises -2147467259 when the string names no provider it knows, or no server; no message
// repeats the connection text, so none can show the password.
std::string odbc_connection_text(std::string_view text, vb::Here where);

}  // namespace platform::ado
