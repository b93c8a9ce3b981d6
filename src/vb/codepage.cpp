// Code page 936 conversions through glibc iconv.
#include "vb/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "vb/error.h"

namespace vb {
namespace {

// One conversion descriptor per thread and direction: an iconv_t carries state and may not be
// shared between threads, and opening one per call would cost more than most conversions.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw VbError(kInvalidProcedureCall,
                        std::string("Code page conversion not available: ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Appends `in` converted to `out`; at each sequence iconv refuses, `on_bad(rest, replacement)`
  // sets a replacement and returns how many bytes of `rest` it stands for (at least one).
  template <class OnBad>
  void convert(std::string_view in, OnBad on_bad, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    size_t used = out.size();
    out.resize(used + in.size() + in.size() / 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    std::string replacement;
    // glibc redoes work up to the end of its input at each refused character, so the input
    // goes in windows, small after a refusal and growing while the text converts: text full of
    // such characters stays linear and plain text goes in large pieces.
    size_t next_window = kLargestWindow;
    while (src_left > 0) {
      const size_t window = std::min(src_left, next_window);
      size_t window_left = window;
      char* dst = out.data() + used;
      size_t dst_left = out.size() - used;
      const size_t done = iconv(cd_, &src, &window_left, &dst, &dst_left);
      const int error = errno;
      src_left -= window - window_left;
      used = static_cast<size_t>(dst - out.data());
      if (done != static_cast<size_t>(-1)) {
        next_window = std::min(next_window * 2, kLargestWindow);
        continue;
      }
      if (error == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // A character cut by the window's end goes into the next window.
      if (error == EINVAL && window_left < src_left) continue;
      // EILSEQ or EINVAL at the end: `src` stops at a sequence that is invalid, incomplete or
      // not in the target code page.
      next_window = kSmallestWindow;
      replacement.clear();
      const size_t consumed = on_bad(std::string_view(src, src_left), replacement);
      if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
      std::memcpy(out.data() + used, replacement.data(), replacement.size());
      used += replacement.size();
      src += consumed;
      src_left -= consumed;
    }
    out.resize(used);
  }

 private:
  static constexpr size_t kSmallestWindow = 64;
  static constexpr size_t kLargestWindow = 4096;
  iconv_t cd_;
};

// The code point of the UTF-8 sequence at the start of `s` and its length, or length 0 when
// the sequence is not valid UTF-8 (truncated, overlong, a surrogate or past U+10FFFF).
std::pair<char32_t, size_t> decode_valid_utf8(std::string_view s) {
  auto byte = [&](size_t i) { return static_cast<std::uint8_t>(s[i]); };
  std::uint8_t lead = byte(0);
  size_t len = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (len == 0 || s.size() < len) return {0, 0};
  char32_t cp = lead & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
  return {cp, len};
}

Converter& utf8_to_cp936() {
  thread_local Converter converter("CP936", "UTF-8");
  return converter;
}

Converter& cp936_to_utf8() {
  thread_local Converter converter("UTF-8", "CP936");
  return converter;
}

// All of `in` converted, or nullopt when any part of it does not convert.
std::optional<std::string> convert_whole(Converter& converter, std::string_view in) {
  bool refused = false;
  std::string out;
  converter.convert(
      in,
      [&](std::string_view rest, std::string&) -> size_t {
        refused = true;
        return rest.size();
      },
      out);
  if (refused) return std::nullopt;
  return out;
}

}  // namespace

std::string to_cp936(std::string_view utf8) {
  auto reference = [](std::string_view rest, std::string& replacement) -> size_t {
    auto [cp, len] = decode_valid_utf8(rest);
    if (len == 0) {
      replacement = "&#65533;";
      return 1;
    }
    replacement = "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
    return len;
  };
  // ASCII is the same byte in both, and no UTF-8 sequence holds an ASCII byte: ASCII runs are
  // copied and only the runs between them go through iconv (a page is mostly markup).
  auto is_ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  std::string out;
  out.reserve(utf8.size() + utf8.size() / 8);
  Converter& converter = utf8_to_cp936();
  auto at = utf8.begin();
  while (at != utf8.end()) {
    const auto wide = std::find_if_not(at, utf8.end(), is_ascii);
    out.append(at, wide);
    at = std::find_if(wide, utf8.end(), is_ascii);
    if (wide != at) converter.convert(std::string_view(wide, at), reference, out);
  }
  return out;
}

std::string from_cp936(std::string_view bytes) {
  std::string out;
  cp936_to_utf8().convert(
      bytes,
      [](std::string_view, std::string& replacement) -> size_t {
        replacement = "\xEF\xBF\xBD";
        return 1;
      },
      out);
  return out;
}

std::optional<std::string> cp936_bytes(std::string_view utf8_character) {
  return convert_whole(utf8_to_cp936(), utf8_character);
}

std::optional<std::string> cp936_character(std::string_view bytes) {
  return convert_whole(cp936_to_utf8(), bytes);
}

}  // namespace vb
