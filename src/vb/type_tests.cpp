// The type tests IsNull, IsEmpty, IsNumeric, IsDate, IsObject, IsArray, VarType and TypeName.
#include "vb/builtins.h"
#include "vb/calendar.h"
#include "vb/text_number.h"

namespace vb {

namespace {

// An object with a default property is judged by that value (a Field by its Value); other
// objects, and Nothing, by themselves.
Variant judged(const Variant& v) {
  if (!v.is_object() || v.is_nothing()) return v;
  try {
    return v.value();
  } catch (const VbError& e) {
    if (e.number() != kNoSuchMember) throw;
    return v;
  }
}

}  // namespace

bool IsNull(const Variant& v) { return judged(v).is_null(); }
bool IsEmpty(const Variant& v) { return judged(v).is_empty(); }
bool IsObject(const Variant& v) { return v.is_object(); }
bool IsArray(const Variant& v) { return v.is_array(); }

bool IsNumeric(const Variant& v) {
  Variant value = judged(v);
  switch (value.type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
      return true;
    case VarType::String:
      return parse_number(value.str()).has_value();
    default:
      return false;  // Null, Date, objects, arrays
  }
}

bool IsDate(const Variant& v) {
  Variant value = judged(v);
  if (value.type() == VarType::Date) return true;
  return value.is_string() && parse_date(value.str()).has_value();
}

int VarType(const Variant& v) { return static_cast<int>(judged(v).type()); }

std::string TypeName(const Variant& v) {
  Variant value = judged(v);
  switch (value.type()) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Integer:
      return "Integer";
    case VarType::Long:
      return "Long";
    case VarType::Double:
      return "Double";
    case VarType::Currency:
      return "Currency";
    case VarType::Date:
      return "Date";
    case VarType::String:
      return "String";
    case VarType::Boolean:
      return "Boolean";
    case VarType::Array:
      return "Variant()";
    case VarType::Object:
      return value.is_nothing() ? "Nothing" : value.object()->type_name();
  }
  return "Unknown";
}

}  // namespace vb
