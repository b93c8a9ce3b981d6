// ADO-style connection strings: "Provider=SQLite;Data Source=PATH".
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace platform::ado {

// The key=value pairs of a connection string, separated by ";". Keys are matched in any letter
// case; values keep theirs, without surrounding blanks. A value in quotes ('...' or "...") may
// hold ";" and a doubled quote. A pair without "=" is ignored; a later key wins.
class ConnectionString {
 public:
  explicit ConnectionString(std::string_view text);
  // The value of `key`, or "" when the string does not name it.
  std::string get(std::string_view key) const;

 private:
  std::map<std::string, std::string> values_;  // lower-case key -> value
};

// The text with the value of every key whose name holds "password" or "pwd" (in any letter
// case: Password, PWD, "Jet OLEDB:Database Password") replaced by "***", quotes and ODBC
// braces included (a braced value as far as FreeTDS or the ODBC rule reads it, whichever is
// farther); everything else as written. For messages that show a connection string.
std::string masked_connection_string(std::string_view text);

}  // namespace platform::ado
