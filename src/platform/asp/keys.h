// Key comparison shared by the request, session and application collections: ASCII letter case
// is ignored, as the page-scripting host ignores it; other bytes compare as they are.
#pragma once

#include <string_view>

#include "vb/ascii.h"

namespace platform::asp {

// Orders keys ignoring ASCII letter case. Transparent, so maps look up by std::string_view.
struct KeyLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return vb::ascii_iless(a, b); }
};

// Whether two keys are the same under KeyLess.
inline bool same_key(std::string_view a, std::string_view b) { return vb::ascii_iequals(a, b); }

}  // namespace platform::asp
