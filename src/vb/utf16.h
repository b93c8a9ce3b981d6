// Counting UTF-8 text in UTF-16 units, as VB counts positions and lengths: a Chinese character
// is 1, a character outside the Basic Multilingual Plane 2, an invalid byte 1.
#pragma once

#include <cstddef>
#include <string_view>

namespace vb {

long utf16_length(std::string_view s);

// Byte offset of UTF-16 unit `units` (0-based) in s; s.size() when past the end. A position
// inside a surrogate pair moves on to the end of that character, so cuts stay valid UTF-8.
std::size_t utf16_offset(std::string_view s, long units);

// Decodes the character at byte `pos`, returning its code point and advancing pos; an invalid
// byte decodes as itself (0x80..0xFF) and advances by one.
char32_t decode_utf8(std::string_view s, std::size_t& pos);

// Binary text order (VB's Option Compare Binary): by UTF-16 code units, so a character
// outside the Basic Multilingual Plane sorts before U+E000..U+FFFF. Negative, 0 or positive.
int compare_utf16(std::string_view a, std::string_view b);

}  // namespace vb
