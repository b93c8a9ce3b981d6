// Asc, AscW and Chr: character codes of the system's ANSI code page 936 (GBK).
#include <optional>

#include "vb/builtins.h"
#include "vb/codepage.h"
#include "vb/utf8.h"

namespace vb {

namespace {

// The first character of a non-empty text argument: its UTF-8 bytes and code point.
std::string_view first_character(const std::string& text, char32_t& code_point, Here where) {
  if (text.empty()) raise(kInvalidProcedureCall, where);
  std::size_t end = 0;
  code_point = decode_utf8(text, end);
  return std::string_view(text).substr(0, end);
}

}  // namespace

std::int16_t Asc(const Variant& s, Here where) {
  std::string text = CStr(s, where);
  char32_t code_point;
  std::string_view character = first_character(text, code_point, where);
  std::optional<std::string> bytes = cp936_bytes(character);
  if (!bytes || bytes->empty() || bytes->size() > 2) return '?';
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>((*bytes)[i]); };
  if (bytes->size() == 1) return byte(0);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(byte(0) << 8 | byte(1)));
}

std::int16_t AscW(const Variant& s, Here where) {
  std::string text = CStr(s, where);
  char32_t code_point;
  first_character(text, code_point, where);
  char32_t unit = code_point >= 0x10000 ? 0xD800 + ((code_point - 0x10000) >> 10) : code_point;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(unit));
}

Variant Chr(const Variant& code, Here where) {
  long n = CLng(code, where);
  if (n < -32768 || n > 65535) raise(kInvalidProcedureCall, where);
  if (n < 0) n += 65536;
  if (n < 0x80) return std::string(1, static_cast<char>(n));
  std::string bytes;
  if (n > 0xFF) bytes += static_cast<char>(n >> 8);
  bytes += static_cast<char>(n & 0xFF);
  std::optional<std::string> text = cp936_character(bytes);
  if (!text || text->empty()) raise(kInvalidProcedureCall, where);
  return std::move(*text);
}

}  // namespace vb
