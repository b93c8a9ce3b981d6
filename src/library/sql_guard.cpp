// Guards for values spliced into SQL text.
#include "library/sql_guard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "vb/builtins.h"
#include "vb/text_number.h"

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

std::optional<std::string> whole_number_digits(double d) {
  if (!std::isfinite(d) || d != std::trunc(d)) return std::nullopt;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", d);
  return buffer;
}

}  // namespace

std::optional<std::string> sql_whole_number(const vb::Variant& v, vb::Here where) {
  vb::Variant holder;
  const vb::Variant& value = v.value_ref(holder, where);
  switch (value.type()) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
      return vb::CStr(value, where);
    case vb::VarType::Double:
    case vb::VarType::Currency:
      if (auto digits = whole_number_digits(vb::CDbl(value, where))) return *digits;
      break;
    case vb::VarType::String:
      if (is_whole_number_text(value.str())) return value.str();
      // What IsNumeric accepts (" 2", "2.0", "1e0", "&H1F") is written as the number it reads.
      if (auto number = vb::parse_number(value.str())) {
        if (auto digits = whole_number_digits(*number)) return *digits;
      }
      break;
    default:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> canonical_whole_number(const vb::Variant& v, vb::Here where) {
  auto digits = sql_whole_number(v, where);
  if (!digits) return std::nullopt;
  const std::size_t sign = (*digits)[0] == '-' ? 1 : 0;
  const std::size_t first = std::min(digits->find_first_not_of('0', sign), digits->size() - 1);
  digits->erase(sign, first - sign);
  if (*digits == "-0") *digits = "0";
  return digits;
}

std::string sql_int(const vb::Variant& v, vb::Here where) {
  if (auto digits = sql_whole_number(v, where)) return *digits;
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
