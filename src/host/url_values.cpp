// Splitting and decoding of URL-encoded request values.
#include "host/url_values.h"

#include <httplib.h>

#include "vb/codepage.h"

namespace host {
namespace {

std::string decode(std::string_view text, bool plus_is_blank, Charset charset) {
  std::string bytes = httplib::detail::decode_url(std::string(text), plus_is_blank);
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
