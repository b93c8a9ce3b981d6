// UTF-8 text measured in characters, and its binary order.
#include "vb/utf8.h"

#include <string>

namespace vb {

namespace {

// Length of a well-formed UTF-8 sequence starting at pos, or 0 when the bytes are invalid.
std::size_t sequence_length(std::string_view s, std::size_t pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(pos);
  std::size_t n = lead < 0x80   ? 1
                  : lead < 0xC2 ? 0
                  : lead < 0xE0 ? 2
                  : lead < 0xF0 ? 3
                  : lead < 0xF5 ? 4
                                : 0;
  if (n == 0 || pos + n > s.size()) return n == 1 ? 1 : 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
  }
  return n;
}

}  // namespace

char32_t decode_utf8(std::string_view s, std::size_t& pos) {
  std::size_t n = sequence_length(s, pos);
  auto byte = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(s[i]));
  };
  char32_t cp;
  switch (n) {
    case 1:
      cp = byte(pos);
      break;
    case 2:
      cp = ((byte(pos) & 0x1F) << 6) | (byte(pos + 1) & 0x3F);
      break;
    case 3:
      cp = ((byte(pos) & 0x0F) << 12) | ((byte(pos + 1) & 0x3F) << 6) | (byte(pos + 2) & 0x3F);
      break;
    case 4:
      cp = ((byte(pos) & 0x07) << 18) | ((byte(pos + 1) & 0x3F) << 12) |
           ((byte(pos + 2) & 0x3F) << 6) | (byte(pos + 3) & 0x3F);
      break;
    default:
      cp = byte(pos);
      n = 1;
  }
  pos += n;
  return cp;
}

void append_utf8(std::string& out, char32_t c) {
  auto put = [&](char32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

long char_count(std::string_view s) {
  long chars = 0;
  for (std::size_t pos = 0; pos < s.size(); ++chars) skip_char(s, pos);
  return chars;
}

std::size_t char_offset(std::string_view s, long chars) {
  std::size_t pos = 0;
  for (long seen = 0; pos < s.size() && seen < chars; ++seen) skip_char(s, pos);
  return pos;
}

int compare_utf16(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() || i == b.size()) {
    return a.size() == b.size() ? 0 : (i == a.size() ? -1 : 1);
  }
  while (i > 0 && (static_cast<unsigned char>(a[i]) & 0xC0) == 0x80) --i;
  std::size_t pa = i, pb = i;
  char32_t ca = decode_utf8(a, pa), cb = decode_utf8(b, pb);
  auto unit = [](char32_t c) { return c >= 0x10000 ? 0xD800 + ((c - 0x10000) >> 10) : c; };
  if (unit(ca) != unit(cb)) return unit(ca) < unit(cb) ? -1 : 1;
  return ca < cb ? -1 : ca > cb ? 1 : 0;
}

}  // namespace vb
