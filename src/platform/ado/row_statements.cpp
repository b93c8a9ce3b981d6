// Update statements and the errors of a row that cannot be found again.
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

void raise_row_gone(vb::Here where) {
  raise_ado(kRowNotFound,
            "Row cannot be located for updating. Some values may have been changed since it was "
            "last read.",
            where);
}

}  // namespace platform::ado
