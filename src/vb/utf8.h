// Counting UTF-8 text in characters (Unicode code points), as every text function counts
// positions and lengths: a Chinese character is 1, and so is a character outside the Basic
// Multilingual Plane and an invalid byte. No position can fall inside a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace vb {

long char_count(std::string_view s);

// Byte offset of character `chars` (0-based) in s; s.size() when past the end.
std::size_t char_offset(std::string_view s, long chars);

// Decodes the character at byte `pos`, returning its code point and advancing pos; an invalid
// byte decodes as itself (0x80..0xFF) and advances by one.
char32_t decode_utf8(std::string_view s, std::size_t& pos);

// Advances pos past the character at pos, as decode_utf8 would; an ASCII byte is one step.
inline void skip_char(std::string_view s, std::size_t& pos) {
  if (static_cast<unsigned char>(s[pos]) < 0x80) {
    ++pos;
  } else {
    decode_utf8(s, pos);
  }
}

// Appends the UTF-8 form of the code point c.
void append_utf8(std::string& out, char32_t c);

// Binary text order (VB's Option Compare Binary): by UTF-16 code units, so a character
// outside the Basic Multilingual Plane sorts before U+E000..U+FFFF. Negative, 0 or positive.
int compare_utf16(std::string_view a, std::string_view b);

}  // namespace vb
