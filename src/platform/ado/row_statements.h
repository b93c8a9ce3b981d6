// The statements that write one row, built alike by every driver.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/ado/result_set.h"
#include "vb/error.h"

namespace platform::ado {

// The position of the key column `key` in `columns` (any letter case). -2147467259 when `key`
// is "" or not among them: the row cannot be found again to be updated.
std::size_t key_position(const ColumnNames& columns, const std::string& key, vb::Here where);

// `UPDATE "T" SET "a"=?,"b"=? WHERE "key"=?` over the assigned columns, in their order; "" when
// no column is assigned.
std::string update_statement(const std::string& table, const ColumnNames& columns,
                             const std::vector<bool>& assigned, const std::string& key);

// `"a","b","c"`: the columns as a select list.
std::string column_list(const ColumnNames& columns);

// `INSERT INTO "T" ("a","b") VALUES (?,?)` over the assigned columns, in their order, or
// `INSERT INTO "T" DEFAULT VALUES` when none is assigned.
std::string insert_statement(const std::string& table, const ColumnNames& columns,
                             const std::vector<bool>& assigned);

// The insert_statement followed, in the same batch, by the read of the new row:
// `;SELECT "k","a","b" FROM "T" WHERE "k"=SCOPE_IDENTITY()`, or `WHERE "k"=?` when the key
// column is among the assigned ones (its value is bound once more, last). The read is left out
// when `key` is "" or not among `columns`. Unlike an OUTPUT clause without INTO, this works on
// a table with an enabled trigger.
std::string sql_server_insert(const std::string& table, const ColumnNames& columns,
                              const std::vector<bool>& assigned, const std::string& key);

// Raises -2147217864: the row to update is no longer there.
[[noreturn]] void raise_row_gone(vb::Here where);

}  // namespace platform::ado
