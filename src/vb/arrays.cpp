// Array built-ins: Split, Join, UBound, LBound, ReDim and ReDim Preserve.
#include "vb/builtins.h"

namespace vb {

Variant Split(const Variant& s, const Variant& delim, const Variant& limit, Here where) {
  std::string text = CStr(s, where);
  std::string separator = CStr(delim, where);
  long parts = CLng(limit, where);
  if (parts < -1) raise(kInvalidProcedureCall, where);

  Array result;
  if (text.empty() || parts == 0) return result;
  if (separator.empty()) return Array{text};
  std::size_t from = 0;
  while (parts == -1 || static_cast<long>(result.size()) < parts - 1) {
    std::size_t found = text.find(separator, from);
    if (found == std::string::npos) break;
    result.emplace_back(text.substr(from, found - from));
    from = found + separator.size();
  }
  result.emplace_back(text.substr(from));
  return result;
}

Variant Join(const Variant& arr, const Variant& delim, Here where) {
  if (arr.is_null()) return Null;
  const Array& elements = arr.array(where);
  std::string separator = CStr(delim, where);
  std::string result;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) result += separator;
    result += CStr(elements[i], where);
  }
  return result;
}

long UBound(const Variant& arr, Here where) {
  return static_cast<long>(arr.array(where).size()) - 1;
}

long LBound(const Variant& arr, Here where) {
  arr.array(where);
  return 0;
}

void ReDim(Variant& v, long upper, Here where) {
  if (upper < 0) raise(kSubscriptOutOfRange, where);
  v = Array(static_cast<std::size_t>(upper) + 1);
}

void ReDimPreserve(Variant& v, long upper, Here where) {
  if (!v.is_array()) raise(kTypeMismatch, where);
  if (upper < 0) raise(kSubscriptOutOfRange, where);
  Array* elements = v.visit([](const auto& x) -> Array* {
    if constexpr (std::is_same_v<std::decay_t<decltype(x)>, detail::ArrayBox>)
      return x.get();
    else
      return nullptr;
  });
  if (!elements) {
    ReDim(v, upper, where);
    return;
  }
  elements->resize(static_cast<std::size_t>(upper) + 1);
}

}  // namespace vb
