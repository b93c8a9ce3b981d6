// vb::Variant: the value type of every page variable, with VB6's conversion, comparison and
// concatenation rules. Strings are UTF-8; character counts are in code points.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "vb/error.h"

namespace vb {

class Variant;

// Subtypes, numbered as VarType numbers them (Array is 8204, a Variant array).
enum class VarType : int {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Boolean = 11,
  Array = 8204,
};

struct NullValue {
  bool operator==(const NullValue&) const = default;
};
inline constexpr NullValue Null{};

// A date as VB holds it: days since 1899-12-30 00:00, the fraction being the time of day.
struct Date {
  double serial = 0;
  bool operator==(const Date&) const = default;
};

// Currency: a 64-bit integer count of ten-thousandths.
struct Currency {
  std::int64_t scaled = 0;
  bool operator==(const Currency&) const = default;
};

// Base of every platform object a Variant can hold (Connection, Recordset, RegExp, Matches...).
class Object {
 public:
  virtual ~Object() = default;
  virtual std::string type_name() const = 0;
  // The default property's value, used where the object stands for a value (Field -> Value).
  // Objects without one raise 438.
  virtual Variant default_value(Here where = Here::current()) const;
};
using ObjectRef = std::shared_ptr<Object>;

// A one-dimensional array with lower bound 0 (Split results, ReDim'd page arrays).
using Array = std::vector<Variant>;

namespace detail {
// Holds an array by value: copying copies the elements, as VB assigns arrays. A box without
// elements storage is a dynamic array that was never sized (`Dim a()`).
class ArrayBox {
 public:
  ArrayBox() = default;
  explicit ArrayBox(Array elements);
  ArrayBox(const ArrayBox& other);
  ArrayBox& operator=(const ArrayBox& other);
  ArrayBox(ArrayBox&&) noexcept;
  ArrayBox& operator=(ArrayBox&&) noexcept;
  ~ArrayBox();
  Array* get() const { return elements_.get(); }

 private:
  std::unique_ptr<Array> elements_;
};
}  // namespace detail

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(NullValue) : v_(NullValue{}) {}
  Variant(bool b) : v_(b) {}                              // Boolean
  Variant(short i) : v_(static_cast<std::int16_t>(i)) {}  // Integer
  Variant(int i);        // Integer when it fits, else Long (VB literal)
  // Long when it fits, else Double (CLng gives long).
  Variant(long i) : Variant(static_cast<long long>(i)) {}
  Variant(long long i);  // Long when it fits, else Double
  Variant(unsigned i) : Variant(static_cast<long long>(i)) {}
  Variant(unsigned long i) : Variant(static_cast<unsigned long long>(i)) {}
  Variant(unsigned long long i);  // Long when it fits, else Double
  Variant(double d) : v_(d) {}
  Variant(Date d) : v_(d) {}
  Variant(Currency c) : v_(c) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(std::string_view s) : v_(std::string(s)) {}
  Variant(ObjectRef o) : v_(std::move(o)) {}  // Set v = obj; a null pointer is Nothing
  template <class T>
  requires std::derived_from<T, Object> Variant(std::shared_ptr<T> o)
      : v_(ObjectRef(std::move(o))) {}
  Variant(Array a) : v_(detail::ArrayBox(std::move(a))) {}
  // Other pointers would silently become Boolean.
  template <class T>
  Variant(T*) = delete;

  // A dynamic array that was never sized (`Dim a()`): IsArray is True, UBound raises 9.
  static Variant unsized_array();

  VarType type() const;
  bool is_empty() const { return v_.index() == 0; }
  bool is_null() const { return std::holds_alternative<NullValue>(v_); }
  bool is_string() const { return std::holds_alternative<std::string>(v_); }
  bool is_object() const { return std::holds_alternative<ObjectRef>(v_); }
  bool is_nothing() const { return is_object() && !std::get<ObjectRef>(v_); }
  bool is_array() const { return std::holds_alternative<detail::ArrayBox>(v_); }
  bool is_numeric_type() const;  // Integer, Long, Double, Currency, Boolean, Date

  // The held text; precondition is_string().
  const std::string& str() const { return std::get<std::string>(v_); }

  // The object held, as T: 424 when the Variant holds no object, 91 for Nothing, 13 for an
  // object of another class.
  template <class T>
  T& as(Here where = Here::current()) const;
  ObjectRef object(Here where = Here::current()) const;

  // Array elements (0-based): 13 when not an array, 9 outside the bounds or never sized.
  // The operators raise with line 0; at() names the caller's line.
  Variant& operator[](long i);
  const Variant& operator[](long i) const;
  Variant& at(long i, Here where = Here::current());
  const Variant& at(long i, Here where = Here::current()) const;
  // The elements: 13 when not an array, 9 when never sized.
  const Array& array(Here where = Here::current()) const;
  Array& array(Here where = Here::current());

  // An object Variant stands for its default value where a value is needed (Field -> Value);
  // Nothing raises 91. Any other Variant is returned as it is.
  Variant value(Here where = Here::current()) const;
  // value() without copying: *this when no object is held, else the default value, kept in
  // `holder`.
  const Variant& value_ref(Variant& holder, Here where = Here::current()) const;

  // `If v Then`: Null and Empty are false, numbers non-zero, text "True"/"False" or numeric
  // (13 otherwise).
  bool truthy(Here where = Here::current()) const;

  template <class F>
  decltype(auto) visit(F&& f) const {
    return std::visit(std::forward<F>(f), v_);
  }

 private:
  std::variant<std::monostate, NullValue, bool, std::int16_t, std::int32_t, double, Currency, Date,
               std::string, ObjectRef, detail::ArrayBox>
      v_;
};

// A Long (32-bit) Variant, as CLng gives one.
Variant Long(std::int32_t i);

template <class T>
T& Variant::as(Here where) const {
  T* typed = dynamic_cast<T*>(object(where).get());
  if (!typed) raise(kTypeMismatch, where);
  return *typed;
}

// Operands that C++ types as VB types literals and typed built-ins: text (string literals,
// std::string such as CStr and Replace give) and numbers (numeric literals, bool, CInt, CLng,
// CDbl...). A Variant against typed text compares as text; against a typed number as numbers.
template <class T>
concept TypedText = std::is_convertible_v<const T&, std::string_view> &&
                    !std::is_same_v<std::remove_cvref_t<T>, Variant> &&
                    !std::is_null_pointer_v<T>;
template <class T>
concept TypedNumber = std::is_arithmetic_v<T>;
// A typed Date or Currency (CDate, CCur) compares as that value held in a Variant.
template <class T>
concept TypedValue = std::is_same_v<T, Date> || std::is_same_v<T, Currency>;
// A Variant, or an object that stands for one through `operator Variant()` (an ADO Field).
template <class T>
concept VariantSide = std::is_same_v<T, Variant> || requires(const T& t) {
  t.operator Variant();
};

// Three-way results of the VB comparison rules; Null when either side is Null.
enum class Order { Less, Equal, Greater, Null };
// Variant against Variant: numbers numerically, texts as text, a number is less than any text,
// Empty is 0 against a number and "" against text. Arrays raise 13.
Order compare(const Variant& a, const Variant& b);
// Variant against typed text: the Variant is converted to text (Empty -> "", True -> "True").
Order compare_text(const Variant& a, std::string_view text);
// Variant against a typed number: a Variant String is read as a number; text that is not
// numeric counts as greater, with no error.
Order compare_number(const Variant& a, double n);

namespace detail {
inline bool holds(Order o, bool lt, bool eq, bool gt) {
  return (o == Order::Less && lt) || (o == Order::Equal && eq) || (o == Order::Greater && gt);
}
template <TypedNumber N>
double typed_number(N n) {
  if constexpr (std::is_same_v<N, bool>)
    return n ? -1.0 : 0.0;  // True is -1
  else
    return static_cast<double>(n);
}
template <class L, class R>
Order order(const L& a, const R& b) {
  if constexpr (!VariantSide<L>) {
    Order o = order(b, a);
    return o == Order::Less ? Order::Greater : o == Order::Greater ? Order::Less : o;
  } else if constexpr (!std::is_same_v<L, Variant>) {
    return order(static_cast<Variant>(a), b);
  } else if constexpr (VariantSide<R>) {
    return compare(a, static_cast<const Variant&>(b));
  } else if constexpr (TypedValue<R>) {
    return compare(a, Variant(b));
  } else if constexpr (TypedNumber<R>) {
    return compare_number(a, typed_number(b));
  } else {
    return compare_text(a, std::string_view(b));
  }
}
template <class T>
concept Operand = VariantSide<T> || TypedText<T> || TypedNumber<T> || TypedValue<T>;
template <class L, class R>
concept Comparable = Operand<L> && Operand<R> &&(VariantSide<L> || VariantSide<R>);
}  // namespace detail

// Comparisons. Written the way VB writes them: `v == "1"` compares as text, `v == 1` as
// numbers, `v == w` by the Variant rules (v(5) == v("5") is false). Any comparison with Null is
// not true: ==, !=, <, <=, >, >= all return false, so an `If` on it takes the Else branch.
// Beware C++ precedence: `&` binds looser than `==`, so parenthesise `(a & b) == c`.
template <class L, class R>
requires detail::Comparable<L, R>
bool operator==(const L& a, const R& b) { return detail::holds(detail::order(a, b), 0, 1, 0); }
template <class L, class R>
requires detail::Comparable<L, R>
bool operator!=(const L& a, const R& b) { return detail::holds(detail::order(a, b), 1, 0, 1); }
template <class L, class R>
requires detail::Comparable<L, R>
bool operator<(const L& a, const R& b) { return detail::holds(detail::order(a, b), 1, 0, 0); }
template <class L, class R>
requires detail::Comparable<L, R>
bool operator<=(const L& a, const R& b) { return detail::holds(detail::order(a, b), 1, 1, 0); }
template <class L, class R>
requires detail::Comparable<L, R>
bool operator>(const L& a, const R& b) { return detail::holds(detail::order(a, b), 0, 0, 1); }
template <class L, class R>
requires detail::Comparable<L, R>
bool operator>=(const L& a, const R& b) { return detail::holds(detail::order(a, b), 0, 1, 1); }

// Concatenation, VB's `&`: other subtypes are converted to text, Null and Empty count as "",
// but Null & Null is Null. Objects stand for their default value; arrays raise 13.
Variant operator&(const Variant& a, const Variant& b);

// Arithmetic with VB's Variant rules: Integer widens to Long and Long to Double instead of
// overflowing; Null gives Null; Empty is 0 (and `Empty + x` is x); numeric text is read as a
// Double (13 if not numeric); String + String concatenates; Date + number is a Date and
// Date - Date a Double. `/` always gives a Double: x / 0 raises 11, 0 / 0 raises 6.
Variant operator+(const Variant& a, const Variant& b);
Variant operator-(const Variant& a, const Variant& b);
Variant operator*(const Variant& a, const Variant& b);
Variant operator/(const Variant& a, const Variant& b);
Variant operator-(const Variant& a);
// Typed text + Variant concatenates, the Variant converted to text: "OAID=" + v(5) is
// "OAID=5". Null gives Null, Empty leaves the text as it is.
Variant concat_typed(std::string_view text, const Variant& v, bool text_first);
template <TypedText S, VariantSide V>
Variant operator+(const S& text, const V& v) {
  return concat_typed(text, static_cast<const Variant&>(v), true);
}
template <VariantSide V, TypedText S>
Variant operator+(const V& v, const S& text) {
  return concat_typed(text, static_cast<const Variant&>(v), false);
}

}  // namespace vb
