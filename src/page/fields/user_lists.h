// Whether a ";"-wrapped list of login names names a user, matched literally, and whom a hidden
// field's list hides the field from.
#pragma once

#include <string>
#include <string_view>

#include "vb/builtins.h"
#include "vb/variant.h"

namespace page {

// True when `list` holds ";" & user & ";", letters compared in either case as the database
// compares names, and no character a wildcard ("zhang_an" does not name "zhangsan"). A Null list
// names nobody.
inline bool names_user(const vb::Variant& list, const vb::Variant& user) {
  if (vb::IsNull(list)) return false;
  const std::string text = vb::CStr(list);
  const std::string part = ";" + vb::CStr(user) + ";";
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && lower(text[at + i]) == lower(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

// Whether a hidden field's UserNames hides it from `user`: a list that does not name the user
// does, an empty one from everybody; a Null list is no list at all and hides it from nobody.
inline bool hides_from(const vb::Variant& list, const vb::Variant& user) {
  return !vb::IsNull(list) && !names_user(list, user);
}

}  // namespace page
