// Response writing.
#include "platform/asp/response.h"

#include "vb/builtins.h"

namespace platform::asp {

void Response::write(const vb::Variant& value, vb::Here where) {
  if (value.is_string()) {
    body_.append(value.str());
    return;
  }
  const vb::Variant v = value.is_object() ? value.value(where) : value;
  if (v.is_null() || v.is_empty()) return;
  if (v.is_string()) {
    body_.append(v.str());
  } else {
    body_.append(vb::CStr(v, where));
  }
}

}  // namespace platform::asp
