// Response writing.
#include "platform/asp/response.h"

#include "vb/builtins.h"

namespace platform::asp {

void Response::write(const vb::Variant& value, vb::Here where) {
  vb::Variant holder;
  const vb::Variant& v = value.value_ref(holder, where);
  if (v.is_string()) {
    body_.append(v.str());
  } else if (!v.is_null() && !v.is_empty()) {
    body_.append(vb::CStr(v, where));
  }
}

}  // namespace platform::asp
