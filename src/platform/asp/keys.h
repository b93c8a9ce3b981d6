// Key comparison shared by the request, session and application collections: ASCII letter case
// is ignored, as the page-scripting host ignores it; other bytes compare as they are.
#pragma once

#include <algorithm>
#include <string_view>

namespace platform::asp {

// Orders keys ignoring ASCII letter case. Transparent, so maps look up by std::string_view.
struct KeyLess {
  using is_transparent = void;
  static char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
  bool operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(fold(x)) < static_cast<unsigned char>(fold(y));
    });
  }
};

// Whether two keys are the same under KeyLess.
inline bool same_key(std::string_view a, std::string_view b) {
  return a.size() == b.size() && !KeyLess()(a, b) && !KeyLess()(b, a);
}

}  // namespace platform::asp
