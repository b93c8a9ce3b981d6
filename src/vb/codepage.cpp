// Asc, AscW and Chr: character codes of the system's ANSI code page 936 (GBK), converted with
// iconv so no table of our own is kept.
#include <iconv.h>

#include <optional>

#include "vb/builtins.h"
#include "vb/utf16.h"

namespace vb {

namespace {

// One iconv descriptor per thread and direction: a descriptor keeps state between calls and
// may not be shared by request threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // The whole input converted, or nullopt when a character has no form in the target.
  std::optional<std::string> convert(std::string_view in) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string input(in);
    char out[16];
    char* in_ptr = input.data();
    std::size_t in_left = input.size();
    char* out_ptr = out;
    std::size_t out_left = sizeof out;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) ||
        in_left != 0) {
      return std::nullopt;
    }
    return std::string(out, out_ptr);
  }

 private:
  iconv_t cd_;
};

std::optional<std::string> to_cp936(std::string_view utf8) {
  thread_local Converter converter("CP936", "UTF-8");
  return converter.convert(utf8);
}

std::optional<std::string> from_cp936(std::string_view bytes) {
  thread_local Converter converter("UTF-8", "CP936");
  return converter.convert(bytes);
}

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
  std::optional<std::string> bytes = to_cp936(character);
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
  std::optional<std::string> text = from_cp936(bytes);
  if (!text || text->empty()) raise(kInvalidProcedureCall, where);
  return std::move(*text);
}

}  // namespace vb
