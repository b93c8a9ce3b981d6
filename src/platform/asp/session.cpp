// Session values and their sorted listing.
#include "platform/asp/session.h"

#include <algorithm>

namespace platform::asp {

vb::Variant& Session::operator[](std::string_view key) {
  auto it = values_.find(key);
  if (it == values_.end()) it = values_.emplace(std::string(key), vb::Variant()).first;
  return it->second;
}

vb::Variant Session::get(std::string_view key) const {
  auto it = values_.find(key);
  return it == values_.end() ? vb::Variant() : it->second;
}

std::vector<std::pair<std::string, vb::Variant>> Session::items() const {
  std::vector<std::pair<std::string, vb::Variant>> items(values_.begin(), values_.end());
  std::sort(items.begin(), items.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return items;
}

}  // namespace platform::asp
