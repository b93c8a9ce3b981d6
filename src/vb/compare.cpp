// The VB comparison rules behind ==, !=, <, <=, >, >=.
#include "vb/builtins.h"
#include "vb/text_number.h"
#include "vb/utf8.h"
#include "vb/variant.h"

namespace vb {

namespace {

Order order_of(double a, double b) {
  return a < b ? Order::Less : a > b ? Order::Greater : Order::Equal;
}

Order order_of_text(std::string_view a, std::string_view b) {
  int c = compare_utf16(a, b);
  return c < 0 ? Order::Less : c > 0 ? Order::Greater : Order::Equal;
}

// v itself, or the default value of the object it holds (kept in holder). Operators cannot
// see their caller, so their errors carry line 0 (Here{}).
const Variant& operand(const Variant& v, Variant& holder) {
  const Variant& value = v.value_ref(holder, Here{});
  if (value.is_array()) raise(kTypeMismatch, Here{});
  return value;
}

}  // namespace

Order compare(const Variant& a_in, const Variant& b_in) {
  Variant a_holder, b_holder;
  const Variant& a = operand(a_in, a_holder);
  const Variant& b = operand(b_in, b_holder);
  if (a.is_null() || b.is_null()) return Order::Null;
  if (a.is_string() && b.is_string()) return order_of_text(a.str(), b.str());
  if (a.is_string()) return b.is_empty() ? order_of_text(a.str(), "") : Order::Greater;
  if (b.is_string()) return a.is_empty() ? order_of_text("", b.str()) : Order::Less;
  return order_of(CDbl(a, Here{}), CDbl(b, Here{}));
}

Order compare_text(const Variant& a_in, std::string_view text) {
  Variant holder;
  const Variant& a = operand(a_in, holder);
  if (a.is_null()) return Order::Null;
  if (a.is_string()) return order_of_text(a.str(), text);
  return order_of_text(CStr(a, Here{}), text);
}

Order compare_number(const Variant& a_in, double n) {
  Variant holder;
  const Variant& a = operand(a_in, holder);
  if (a.is_null()) return Order::Null;
  if (a.is_string()) {
    std::optional<double> value = parse_number(a.str());
    return value ? order_of(*value, n) : Order::Greater;
  }
  return order_of(CDbl(a, Here{}), n);
}

}  // namespace vb
