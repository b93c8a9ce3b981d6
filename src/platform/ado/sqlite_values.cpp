// Conversions between SQLite column values and Variants.
#include "platform/ado/sqlite_values.h"

#include <sqlite3.h>

#include <cstdio>
#include <type_traits>

#include "vb/calendar.h"

namespace platform::ado {

void add_column(ResultSet& rows, sqlite3_stmt* statement, int column) {
  sqlite3_value* value = sqlite3_column_value(statement, column);
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      rows.add_integer(sqlite3_value_int64(value));
      break;
    case SQLITE_FLOAT:
      rows.add_real(sqlite3_value_double(value));
      break;
    case SQLITE_NULL:
      rows.add_null();
      break;
    default: {  // TEXT and BLOB: the bytes as they are
      const void* bytes = sqlite3_value_blob(value);
      const int size = sqlite3_value_bytes(value);
      rows.add_text(std::string_view(static_cast<const char*>(bytes), static_cast<std::size_t>(size)));
    }
  }
}

std::string stored_date_text(vb::Date date) {
  const vb::DateFields f = vb::split_date(date);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                f.minute, f.second);
  return text;
}

void bind_value(sqlite3_stmt* statement, int index, const vb::Variant& value, vb::Here where) {
  if (value.is_object()) {
    bind_value(statement, index, value.value(where), where);
    return;
  }
  if (value.is_array()) vb::raise(vb::kTypeMismatch, where);
  value.visit([&](const auto& v) {
    using T = std::decay_t<decltype(v)>;
    if constexpr (std::is_same_v<T, bool>) {
      sqlite3_bind_int64(statement, index, v ? -1 : 0);
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>) {
      sqlite3_bind_int64(statement, index, v);
    } else if constexpr (std::is_same_v<T, double>) {
      sqlite3_bind_double(statement, index, v);
    } else if constexpr (std::is_same_v<T, vb::Currency>) {
      sqlite3_bind_double(statement, index, static_cast<double>(v.scaled) / 10000.0);
    } else if constexpr (std::is_same_v<T, vb::Date>) {
      const std::string text = stored_date_text(v);
      sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT);
    } else if constexpr (std::is_same_v<T, std::string>) {
      sqlite3_bind_text(statement, index, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    } else {  // Empty and Null (objects and arrays were handled above)
      sqlite3_bind_null(statement, index);
    }
  });
}

}  // namespace platform::ado
