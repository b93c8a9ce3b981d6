// Insert and update statements and the errors of a row that cannot be found again.
#include "platform/ado/row_statements.h"

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/tsql_dialect.h"

namespace platform::ado {

std::size_t key_position(const ColumnNames& columns, const std::string& key, vb::Here where) {
  for (std::size_t i = 0; i < columns.size() && !key.empty(); ++i) {
    if (ascii_iequals(columns[i], key)) return i;
  }
  raise_ado(kProviderFailed, "Insufficient key column information for updating or refreshing.",
            where);
}

std::string update_statement(const std::string& table, const ColumnNames& columns,
                             const std::vector<bool>& assigned, const std::string& key) {
  std::string sets;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (!assigned[i]) continue;
    if (!sets.empty()) sets += ',';
    sets += quoted_name(columns[i]) + "=?";
  }
  if (sets.empty()) return {};
  return "UPDATE " + quoted_name(table) + " SET " + sets + " WHERE " + quoted_name(key) + "=?";
}

std::string column_list(const ColumnNames& columns) {
  std::string list;
  for (const std::string& column : columns) list += (list.empty() ? "" : ",") + quoted_name(column);
  return list;
}

std::string insert_statement(const std::string& table, const ColumnNames& columns,
                             const std::vector<bool>& assigned) {
  std::string names, marks;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (!assigned[i]) continue;
    names += (names.empty() ? "" : ",") + quoted_name(columns[i]);
    marks += marks.empty() ? "?" : ",?";
  }
  return "INSERT INTO " + quoted_name(table) +
         (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
}

std::string sql_server_insert(const std::string& table, const ColumnNames& columns,
                              const std::vector<bool>& assigned, const std::string& key) {
  std::size_t k = 0;
  while (k < columns.size() && (key.empty() || !ascii_iequals(columns[k], key))) ++k;
  const std::string insert = insert_statement(table, columns, assigned);
  if (k == columns.size()) return insert;
  return insert + ";SELECT " + column_list(columns) + " FROM " + quoted_name(table) + " WHERE " +
         quoted_name(key) + (assigned[k] ? "=?" : "=SCOPE_IDENTITY()");
}

void raise_row_gone(vb::Here where) {
  raise_ado(kRowNotFound,
            "Row cannot be located for updating. Some values may have been changed since it was "
            "last read.",
            where);
}

}  // namespace platform::ado
