// The statements that write one row by its key, built alike by every driver.
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

// Raises -2147217864: the row to update is no longer there.
[[noreturn]] void raise_row_gone(vb::Here where);

}  // namespace platform::ado
