// Guards for values spliced into SQL text.
#include "library/sql_guard.h"

#include <cmath>
#include <cstdio>

#include "vb/builtins.h"

namespace library {
namespace {

bool is_whole_number_text(const std::string& s) {
  std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

std::string whole_number_digits(double d) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", d);
  return buffer;
}

}  // namespace

std::string sql_int(const vb::Variant& v, vb::Here where) {
  vb::Variant holder;
  const vb::Variant& value = v.value_ref(holder, where);
  switch (value.type()) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
      return vb::CStr(value, where);
    case vb::VarType::Double:
    case vb::VarType::Currency: {
      const double d = vb::CDbl(value, where);
      if (std::isfinite(d) && d == std::trunc(d)) return whole_number_digits(d);
      break;
    }
    case vb::VarType::String:
      if (is_whole_number_text(value.str())) return value.str();
      break;
    default:
      break;
  }
  vb::raise(vb::kTypeMismatch, where);
}

std::string sql_text(const vb::Variant& v, vb::Here where) {
  vb::Variant holder;
  const vb::Variant& value = v.value_ref(holder, where);
  if (value.is_null() || value.is_empty()) return {};
  std::string converted;
  const std::string_view text =
      value.is_string() ? value.str() : (converted = vb::CStr(value, where));
  std::string quoted;
  quoted.reserve(text.size() + 2);
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted;
}

}  // namespace library
