// Whether a placeholder code can be the key of a field definition.
#pragma once

#include <algorithm>
#include <string>

#include "vb/builtins.h"

namespace page {

// True for an optional "-" and ASCII digits: the only codes that can name a row of
// OA_Flow_BiaoDan_Fields. Any other code (template text such as a style rule "{color:red}")
// names no field, so no query is built from it.
inline bool names_a_field(const vb::Variant& code) {
  const std::string s = vb::CStr(code);
  const std::size_t digits = !s.empty() && s[0] == '-' ? 1 : 0;
  return s.size() > digits &&
         std::all_of(s.begin() + digits, s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace page
