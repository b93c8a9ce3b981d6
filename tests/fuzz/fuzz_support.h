// What the fuzz targets share: the entry point's types, the input as text, and checks where a
// failed property aborts, which libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <source_location>
#include <string>
#include <string_view>

#include "vb/utf8.h"

namespace fuzz {

inline std::string_view as_text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline void require(bool condition, std::source_location where = std::source_location::current()) {
  if (condition) return;
  std::fprintf(stderr, "property failed at %s:%u\n", where.file_name(),
               static_cast<unsigned>(where.line()));
  std::abort();
}

// Strict UTF-8: no invalid byte, no overlong form, no surrogate, nothing past U+10FFFF.
inline bool valid_utf8(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t start = pos;
    const char32_t c = vb::decode_utf8(s, pos);
    const std::size_t n = pos - start;
    const std::size_t shortest = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if ((c >= 0x80 && n == 1) || n != shortest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      return false;
    }
  }
  return true;
}

}  // namespace fuzz
