// Code page 936 (GBK), the system's ANSI code page, through glibc iconv: pages leave in it,
// request values arrive in it, and Asc and Chr count in it. Text is UTF-8 inside the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vb {

// The UTF-8 text in code page 936 (GBK bytes). A character that the code page lacks is sent as
// the HTML numeric character reference "&#N;" (N its code point in decimal); a byte that is not
// valid UTF-8 is sent as "&#65533;". One conversion pass; the per-character path runs only at
// the characters that need it. Thread-safe.
std::string to_cp936(std::string_view utf8);

// The code page 936 bytes as UTF-8. A byte sequence that is not code page 936 becomes U+FFFD,
// one per byte, and the conversion goes on after it. Thread-safe.
std::string from_cp936(std::string_view bytes);

// The code page 936 bytes of one UTF-8 character, or nullopt when the code page lacks it.
std::optional<std::string> cp936_bytes(std::string_view utf8_character);

// The character that the code page 936 bytes stand for, or nullopt when they stand for none.
std::optional<std::string> cp936_character(std::string_view bytes);

}  // namespace vb
