// How values cross between SQLite and vb::Variant.
//   reading:  INTEGER -> Long (Double when it does not fit 32 bits), REAL -> Double,
//             TEXT -> String (dates are stored as text and stay text), NULL -> Null,
//             BLOB -> String holding the bytes unchanged (see result_set.h).
//   writing:  Empty and Null -> NULL, Boolean -> -1 or 0, Integer/Long -> INTEGER,
//             Double and Currency -> REAL, Date -> TEXT "yyyy-mm-dd hh:nn:ss", String -> TEXT,
//             an object -> its default value (a Field's Value); an array raises 13.
#pragma once

#include <string>

#include "platform/ado/result_set.h"
#include "vb/variant.h"

struct sqlite3_stmt;

namespace platform::ado {

// Adds column `column` (0-based) of the row `statement` stands on to the row being filled.
void add_column(ResultSet& rows, sqlite3_stmt* statement, int column);

// Binds `value` to parameter `index` (1-based).
void bind_value(sqlite3_stmt* statement, int index, const vb::Variant& value, vb::Here where);

// The text a date is stored as: "2011-09-02 14:07:05".
std::string stored_date_text(vb::Date date);

}  // namespace platform::ado
