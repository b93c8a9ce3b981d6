// The script blocks of a node's remark, found by scanning for their tags.
#include "page/scripts/remark_blocks.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "vb/builtins.h"

namespace page {
namespace {

// Where `tag` begins in `text` at or after `from`, letters compared without case; npos if not.
size_t find_ignoring_case(const std::string& text, const std::string& tag, size_t from) {
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  const auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                              tag.begin(), tag.end(), same);
  return at == text.end() ? std::string::npos : static_cast<size_t>(at - text.begin());
}

}  // namespace

vb::Variant remark_block(const vb::Variant& remark, std::string_view tag) {
  const std::string open = "<" + std::string(tag) + ">";
  const std::string close = "</" + std::string(tag) + ">";
  if (!(remark != "" && vb::InStr(remark, open) > 0 && vb::InStr(remark, close) > 0)) return "";
  const std::string text = vb::CStr(remark);
  size_t start = 0;
  for (size_t at = find_ignoring_case(text, open, 0); at != std::string::npos;
       at = find_ignoring_case(text, open, at + 1)) {
    start = at + open.size();
  }
  const size_t end = find_ignoring_case(text, close, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace page
