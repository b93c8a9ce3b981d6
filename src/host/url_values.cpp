// Splitting and decoding of URL-encoded request values.
#include "host/url_values.h"

#include "vb/ascii.h"
#include "vb/codepage.h"

namespace host {
namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string decode_bytes(std::string_view text, bool plus_is_blank) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 &&
        hex_digit(text[i + 2]) >= 0) {
      bytes += static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
      i += 2;
    } else {
      bytes += plus_is_blank && c == '+' ? ' ' : c;
    }
  }
  return bytes;
}

std::string decode(std::string_view text, bool plus_is_blank, Charset charset) {
  std::string bytes = decode_bytes(text, plus_is_blank);
  return charset == Charset::cp936 ? vb::from_cp936(bytes) : bytes;
}

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

template <class Each>
void split(std::string_view text, char separator, Each each) {
  while (!text.empty()) {
    size_t end = text.find(separator);
    std::string_view piece = text.substr(0, end);
    if (!piece.empty()) each(piece);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

RequestTarget split_target(std::string_view target) {
  RequestTarget parts;
  for (std::string_view scheme : {"http://", "https://"}) {
    if (vb::ascii_iequals(target.substr(0, scheme.size()), scheme)) {
      target.remove_prefix(scheme.size());
      parts.authority = target.substr(0, target.find_first_of("/?"));
      target.remove_prefix(parts.authority.size());
      if (target.empty() || target.front() == '?') parts.path = "/";
      break;
    }
  }
  const size_t question = target.find('?');
  if (parts.path.empty()) parts.path = target.substr(0, question);
  if (question != std::string_view::npos) parts.query = target.substr(question + 1);
  return parts;
}

std::string percent_decode(std::string_view text) { return decode_bytes(text, false); }

ValuePairs parse_urlencoded(std::string_view text, Charset charset) {
  ValuePairs pairs;
  split(text, '&', [&](std::string_view piece) {
    size_t eq = piece.find('=');
    std::string_view name = piece.substr(0, eq);
    std::string_view value = eq == std::string_view::npos ? "" : piece.substr(eq + 1);
    pairs.emplace_back(decode(name, true, charset), decode(value, true, charset));
  });
  return pairs;
}

std::size_t count_urlencoded(std::string_view text) {
  std::size_t count = 0;
  split(text, '&', [&](std::string_view) { ++count; });
  return count;
}

ValuePairs parse_cookie_header(std::string_view header, Charset charset) {
  ValuePairs pairs;
  split(header, ';', [&](std::string_view piece) {
    piece = trim_blanks(piece);
    if (piece.empty()) return;
    size_t eq = piece.find('=');
    std::string_view name = trim_blanks(piece.substr(0, eq));
    std::string_view value = eq == std::string_view::npos ? "" : trim_blanks(piece.substr(eq + 1));
    pairs.emplace_back(decode(name, false, charset), decode(value, false, charset));
  });
  return pairs;
}

}  // namespace host
