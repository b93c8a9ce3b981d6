// A delete's existence query: whether a delete would remove any row, asked without a write lock.
#pragma once

#include <string>
#include <string_view>

namespace platform::ado {

// For "DELETE FROM T [WHERE cond]" (SQLite's form, any letter case, T plain, quoted or with an
// owner) returns "SELECT 1 FROM T [WHERE cond] LIMIT 1", which finds a row exactly when the
// delete would remove one. "" for any other text, and for a delete with RETURNING, ORDER BY
// or LIMIT, or more than one statement.
std::string delete_probe(std::string_view sql);

}  // namespace platform::ado
