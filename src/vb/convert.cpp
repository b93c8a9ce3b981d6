// The conversion functions CStr, CInt, CLng, CDbl, CBool, CDate, Int and Fix.
#include <cctype>
#include <cmath>

#include "vb/builtins.h"
#include "vb/calendar.h"
#include "vb/text_number.h"

namespace vb {

namespace {

double rounded_to_even(double d, double low, double high, Here where) {
  double r = std::nearbyint(d);  // the default rounding mode rounds halves to even
  if (!(r >= low && r <= high)) raise(kOverflow, where);
  return r;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string CStr(const Variant& v, Here where) {
  Variant holder;
  return v.value_ref(holder, where).visit([&](const auto& x) -> std::string {
    using T = std::decay_t<decltype(x)>;
    if constexpr (std::is_same_v<T, std::monostate>) {
      return "";
    } else if constexpr (std::is_same_v<T, NullValue>) {
      raise(kInvalidUseOfNull, where);
    } else if constexpr (std::is_same_v<T, bool>) {
      return x ? "True" : "False";
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>) {
      return std::to_string(x);
    } else if constexpr (std::is_same_v<T, double>) {
      return format_double(x);
    } else if constexpr (std::is_same_v<T, Currency>) {
      return format_currency(x);
    } else if constexpr (std::is_same_v<T, Date>) {
      if (!in_date_range(x.serial)) raise(kOverflow, where);
      return format_date(x);
    } else if constexpr (std::is_same_v<T, std::string>) {
      return x;
    } else {
      raise(kTypeMismatch, where);  // arrays; objects were replaced by their value
    }
  });
}

double CDbl(const Variant& v, Here where) {
  Variant holder;
  return v.value_ref(holder, where).visit([&](const auto& x) -> double {
    using T = std::decay_t<decltype(x)>;
    if constexpr (std::is_same_v<T, std::monostate>) {
      return 0;
    } else if constexpr (std::is_same_v<T, NullValue>) {
      raise(kInvalidUseOfNull, where);
    } else if constexpr (std::is_same_v<T, bool>) {
      return x ? -1 : 0;
    } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t> ||
                         std::is_same_v<T, double>) {
      return static_cast<double>(x);
    } else if constexpr (std::is_same_v<T, Currency>) {
      return static_cast<double>(x.scaled) / 10000;
    } else if constexpr (std::is_same_v<T, Date>) {
      return x.serial;
    } else if constexpr (std::is_same_v<T, std::string>) {
      std::optional<double> d = parse_number(x);
      if (!d) raise(kTypeMismatch, where);
      return *d;
    } else {
      raise(kTypeMismatch, where);  // arrays; objects were replaced by their value
    }
  });
}

std::int16_t CInt(const Variant& v, Here where) {
  return static_cast<std::int16_t>(rounded_to_even(CDbl(v, where), -32768, 32767, where));
}

long CLng(const Variant& v, Here where) {
  return static_cast<long>(rounded_to_even(CDbl(v, where), -2147483648.0, 2147483647.0, where));
}

bool CBool(const Variant& v, Here where) {
  Variant holder;
  const Variant& value = v.value_ref(holder, where);
  if (value.is_string()) {
    const std::string& s = value.str();
    if (equals_ignoring_case(s, "True") || equals_ignoring_case(s, "#TRUE#")) return true;
    if (equals_ignoring_case(s, "False") || equals_ignoring_case(s, "#FALSE#")) return false;
  }
  return CDbl(value, where) != 0;
}

Date CDate(const Variant& v, Here where) {
  Variant holder;
  const Variant& value = v.value_ref(holder, where);
  if (value.is_string()) {
    std::optional<Date> d = parse_date(value.str());
    if (!d) raise(kTypeMismatch, where);
    return *d;
  }
  double serial = CDbl(value, where);
  if (!in_date_range(serial)) raise(kOverflow, where);
  return Date{serial};
}

namespace {

// Int and Fix: the same subtype back, rounded by `round` (floor or trunc).
Variant whole_part(const Variant& v, double (*round)(double), Here where) {
  Variant holder;
  const Variant& value = v.value_ref(holder, where);
  switch (value.type()) {
    case VarType::Null:
      return Null;
    case VarType::Empty:
      return Variant(0);
    case VarType::Integer:
    case VarType::Long:
      return value;
    case VarType::Boolean:
      return Variant(static_cast<short>(CInt(value, where)));
    case VarType::Currency: {
      double units = round(CDbl(value, where));
      return Currency{static_cast<std::int64_t>(units) * 10000};
    }
    case VarType::Date:
      return Date{round(CDbl(value, where))};
    default:
      return round(CDbl(value, where));  // Double, text; arrays raise 13
  }
}

}  // namespace

Variant Int(const Variant& v, Here where) {
  return whole_part(
      v, [](double d) { return std::floor(d); }, where);
}
Variant Fix(const Variant& v, Here where) {
  return whole_part(
      v, [](double d) { return std::trunc(d); }, where);
}

}  // namespace vb
