// Construction, subtype queries, array storage and truth of a Variant.
#include "vb/variant.h"

#include <limits>

#include "vb/builtins.h"

namespace vb {

namespace detail {

ArrayBox::ArrayBox(Array elements) : elements_(std::make_unique<Array>(std::move(elements))) {}
ArrayBox::ArrayBox(const ArrayBox& other)
    : elements_(other.elements_ ? std::make_unique<Array>(*other.elements_) : nullptr) {}
ArrayBox& ArrayBox::operator=(const ArrayBox& other) {
  if (this != &other) {
    elements_ = other.elements_ ? std::make_unique<Array>(*other.elements_) : nullptr;
  }
  return *this;
}
ArrayBox::ArrayBox(ArrayBox&&) noexcept = default;
ArrayBox& ArrayBox::operator=(ArrayBox&&) noexcept = default;
ArrayBox::~ArrayBox() = default;

}  // namespace detail

Variant Object::default_value(Here where) const { raise(kNoSuchMember, where); }

Variant::Variant(int i) {
  if (i >= -32768 && i <= 32767) {
    v_ = static_cast<std::int16_t>(i);
  } else {
    v_ = static_cast<std::int32_t>(i);
  }
}

Variant::Variant(long long i) {
  if (i >= std::numeric_limits<std::int32_t>::min() &&
      i <= std::numeric_limits<std::int32_t>::max()) {
    v_ = static_cast<std::int32_t>(i);
  } else {
    v_ = static_cast<double>(i);
  }
}

Variant::Variant(unsigned long long i) {
  if (i <= static_cast<unsigned long long>(std::numeric_limits<std::int32_t>::max())) {
    v_ = static_cast<std::int32_t>(i);
  } else {
    v_ = static_cast<double>(i);
  }
}

Variant Variant::unsized_array() {
  Variant v;
  v.v_ = detail::ArrayBox();
  return v;
}

Variant Long(std::int32_t i) { return Variant(static_cast<long>(i)); }

enum VarType Variant::type() const {
  switch (v_.index()) {
    case 0:
      return VarType::Empty;
    case 1:
      return VarType::Null;
    case 2:
      return VarType::Boolean;
    case 3:
      return VarType::Integer;
    case 4:
      return VarType::Long;
    case 5:
      return VarType::Double;
    case 6:
      return VarType::Currency;
    case 7:
      return VarType::Date;
    case 8:
      return VarType::String;
    case 9:
      return VarType::Object;
    default:
      return VarType::Array;
  }
}

bool Variant::is_numeric_type() const {
  switch (type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
    case VarType::Date:
      return true;
    default:
      return false;
  }
}

ObjectRef Variant::object(Here where) const {
  if (!is_object()) raise(kObjectRequired, where);
  const ObjectRef& o = std::get<ObjectRef>(v_);
  if (!o) raise(kObjectNotSet, where);
  return o;
}

const Array& Variant::array(Here where) const {
  if (!is_array()) raise(kTypeMismatch, where);
  const Array* elements = std::get<detail::ArrayBox>(v_).get();
  if (!elements) raise(kSubscriptOutOfRange, where);
  return *elements;
}

Array& Variant::array(Here where) {
  return const_cast<Array&>(static_cast<const Variant&>(*this).array(where));
}

const Variant& Variant::at(long i, Here where) const {
  const Array& elements = array(where);
  if (i < 0 || static_cast<std::size_t>(i) >= elements.size()) {
    raise(kSubscriptOutOfRange, where);
  }
  return elements[static_cast<std::size_t>(i)];
}

Variant& Variant::at(long i, Here where) {
  return const_cast<Variant&>(static_cast<const Variant&>(*this).at(i, where));
}

Variant& Variant::operator[](long i) { return at(i, Here{}); }
const Variant& Variant::operator[](long i) const { return at(i, Here{}); }

Variant Variant::value(Here where) const {
  if (!is_object()) return *this;
  return object(where)->default_value(where);
}

const Variant& Variant::value_ref(Variant& holder, Here where) const {
  if (!is_object()) return *this;
  holder = value(where);
  return holder;
}

bool Variant::truthy(Here where) const {
  switch (type()) {
    case VarType::Empty:
    case VarType::Null:
      return false;
    case VarType::Object:
      return value(where).truthy(where);
    case VarType::Array:
      raise(kTypeMismatch, where);
    default:
      return CBool(*this, where);
  }
}

}  // namespace vb
