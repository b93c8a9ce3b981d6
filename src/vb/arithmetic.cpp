// The operators &, +, -, *, / with VB's Variant rules: Null propagation, Empty as 0 or "",
// and widening from Integer to Long to Double instead of overflowing.
#include <cmath>
#include <limits>

#include "vb/builtins.h"
#include "vb/calendar.h"
#include "vb/variant.h"

namespace vb {

namespace {

// Operators cannot see their caller: their errors carry line 0.
constexpr Here kOperator{};

// An arithmetic operand sorted into the kind of arithmetic it takes part in.
struct Number {
  enum Kind { Integral, Money, Real, Calendar } kind;
  int width;          // Integral: 2 for Integer, 3 for Long
  long long integer;  // Integral
  double real;        // every kind
};

Number number_of(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
      return {Number::Integral, 2, 0, 0};
    case VarType::Boolean:
    case VarType::Integer: {
      long long i = CLng(v, kOperator);
      return {Number::Integral, 2, i, static_cast<double>(i)};
    }
    case VarType::Long: {
      long long i = CLng(v, kOperator);
      return {Number::Integral, 3, i, static_cast<double>(i)};
    }
    case VarType::Currency:
      return {Number::Money, 0, 0, CDbl(v, kOperator)};
    case VarType::Date:
      return {Number::Calendar, 0, 0, CDbl(v, kOperator)};
    default:
      return {Number::Real, 0, 0, CDbl(v, kOperator)};  // Double, text (13), arrays (13)
  }
}

Variant integral_result(long long r, int width) {
  if (width == 2 && r >= -32768 && r <= 32767) return Variant(static_cast<short>(r));
  if (r >= std::numeric_limits<std::int32_t>::min() &&
      r <= std::numeric_limits<std::int32_t>::max()) {
    return Variant(static_cast<long>(r));
  }
  return Variant(static_cast<double>(r));
}

Variant real_result(double r) {
  if (!std::isfinite(r)) raise(kOverflow, kOperator);
  return r;
}

Variant money_result(double r) {
  double scaled = std::nearbyint(r * 10000);
  if (!(std::fabs(scaled) < 9.2e18)) raise(kOverflow, kOperator);
  return Currency{static_cast<std::int64_t>(scaled)};
}

Variant date_result(double r) {
  if (!in_date_range(r)) raise(kOverflow, kOperator);
  return Date{r};
}

enum class Op { Add, Subtract, Multiply };

Variant arithmetic(const Variant& a_in, const Variant& b_in, Op op) {
  Variant a_holder, b_holder;
  const Variant& a = a_in.value_ref(a_holder, kOperator);
  const Variant& b = b_in.value_ref(b_holder, kOperator);
  if (a.is_null() || b.is_null()) return Null;
  if (op == Op::Add) {
    if (a.is_empty() && !b.is_empty()) return b;
    if (b.is_empty()) return a.is_empty() ? Variant(0) : a;
    if (a.is_string() && b.is_string()) return a.str() + b.str();
  }
  Number x = number_of(a), y = number_of(b);
  auto apply = [op](auto p, auto q) {
    return op == Op::Add ? p + q : op == Op::Subtract ? p - q : p * q;
  };
  if (x.kind == Number::Calendar || y.kind == Number::Calendar) {
    double r = apply(x.real, y.real);
    bool date_out = op == Op::Add || (op == Op::Subtract && y.kind != Number::Calendar);
    return date_out ? date_result(r) : real_result(r);
  }
  if (x.kind == Number::Real || y.kind == Number::Real) return real_result(apply(x.real, y.real));
  if (x.kind == Number::Money || y.kind == Number::Money)
    return money_result(apply(x.real, y.real));
  return integral_result(apply(x.integer, y.integer), std::max(x.width, y.width));
}

}  // namespace

Variant operator&(const Variant& a_in, const Variant& b_in) {
  Variant a_holder, b_holder;
  const Variant& a = a_in.value_ref(a_holder, kOperator);
  const Variant& b = b_in.value_ref(b_holder, kOperator);
  if (a.is_null() && b.is_null()) return Null;
  std::string text = a.is_null() ? std::string() : CStr(a, kOperator);
  if (b.is_string())
    text += b.str();
  else if (!b.is_null())
    text += CStr(b, kOperator);
  return text;
}

Variant operator+(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Add); }
Variant operator-(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Subtract); }
Variant operator*(const Variant& a, const Variant& b) { return arithmetic(a, b, Op::Multiply); }

Variant operator/(const Variant& a_in, const Variant& b_in) {
  Variant a_holder, b_holder;
  const Variant& a = a_in.value_ref(a_holder, kOperator);
  const Variant& b = b_in.value_ref(b_holder, kOperator);
  if (a.is_null() || b.is_null()) return Null;
  double x = CDbl(a, kOperator), y = CDbl(b, kOperator);
  if (y == 0) raise(x == 0 ? kOverflow : kDivisionByZero, kOperator);
  return real_result(x / y);
}

Variant operator-(const Variant& a) { return arithmetic(0, a, Op::Subtract); }

Variant concat_typed(std::string_view text, const Variant& v_in, bool text_first) {
  Variant holder;
  const Variant& v = v_in.value_ref(holder, kOperator);
  if (v.is_null()) return Null;
  std::string other = CStr(v, kOperator);
  return std::move(text_first ? other.insert(0, text) : other.append(text));
}

}  // namespace vb
