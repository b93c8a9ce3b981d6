// Mapping of ADO connection strings onto ODBC connection texts.
#include "platform/ado/odbc_settings.h"

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/connection_string.h"

namespace platform::ado {
namespace {

// The first of the synonyms that the string names, or "".
std::string first_of(const ConnectionString& s, std::initializer_list<const char*> keys) {
  for (const char* key : keys) {
    std::string value = s.get(key);
    if (!value.empty()) return value;
  }
  return {};
}

// An ODBC attribute value, in braces when it holds characters that would end it early. FreeTDS
// reads a braced value up to the first "};" as it stands (a doubled "}}" stays two), so a "}"
// goes in once, and a value holding "};" cannot go in at all. Every value is followed by ";".
std::string odbc_value(const std::string& value, vb::Here where) {
  if (value.find_first_of(";{}= ") == std::string::npos) return value;
  if (value.find("};") != std::string::npos) {
    raise_ado(kProviderFailed, "The FreeTDS driver cannot take a connection value holding \"};\".",
              where);
  }
  return "{" + value + "}";
}

bool is_sql_server_provider(const std::string& provider) {
  const std::string p = ascii_lowered(provider);
  return p.rfind("sqloledb", 0) == 0 || p.rfind("sqlncli", 0) == 0 ||
         p.rfind("msoledbsql", 0) == 0 || p.rfind("sql server", 0) == 0;
}

}  // namespace

std::string odbc_connection_text(std::string_view text, vb::Here where) {
  const ConnectionString s(text);
  const std::string provider = s.get("Provider");
  if (ascii_iequals(provider, "SQLite")) return {};
  if (!s.get("Driver").empty() || !s.get("DSN").empty()) return std::string(text);
  if (!is_sql_server_provider(provider)) {
    raise_ado(kProviderFailed,
              provider.empty() ? "The connection string names no Provider."
                               : "Provider cannot be found. It may not be properly installed.",
              where);
  }
  std::string server = first_of(s, {"Data Source", "Server", "Address", "Addr"});
  if (server.empty()) raise_ado(kProviderFailed, "The connection string names no server.", where);
  // SQL Server's own tools write the protocol before the server: "tcp:host,port".
  const std::string protocol = ascii_lowered(server.substr(0, server.find(':') + 1));
  if (protocol == "tcp:") server.erase(0, 4);
  if (protocol == "np:" || protocol == "lpc:") {
    raise_ado(kProviderFailed,
              "Only TCP reaches SQL Server from here: named pipes (np:) and shared memory (lpc:) "
              "are not supported.",
              where);
  }
  std::string port;
  if (const auto comma = server.find(','); comma != std::string::npos) {
    port = server.substr(comma + 1);
    server.erase(comma);
  }
  std::string odbc = "Driver=FreeTDS;Server=" + odbc_value(server, where);
  if (!port.empty()) odbc += ";Port=" + odbc_value(port, where);
  const std::string database = first_of(s, {"Initial Catalog", "Database"});
  if (!database.empty()) odbc += ";Database=" + odbc_value(database, where);
  const std::string user = first_of(s, {"User ID", "UID", "User"});
  if (!user.empty()) odbc += ";UID=" + odbc_value(user, where);
  const std::string password = first_of(s, {"Password", "PWD"});
  if (!password.empty()) odbc += ";PWD=" + odbc_value(password, where);
  return odbc + ";ClientCharset=UTF-8";
}

}  // namespace platform::ado
