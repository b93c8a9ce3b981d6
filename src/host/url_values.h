// Request values as they arrive: URL-encoded query strings and form bodies, and cookie headers.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

// Name-value pairs in arrival order; a name may repeat.
using ValuePairs = std::vector<std::pair<std::string, std::string>>;

// The character set of the percent-decoded bytes: the command line takes UTF-8, browsers of
// the office system send code page 936.
enum class Charset { utf8, cp936 };

// "a=1&b=%D6%D0+x" as pairs, names and values percent-decoded ("+" is a blank, a "%" without
// two hex digits after it stays) and converted
// from `charset` to UTF-8. Empty segments are skipped; "a" alone is the name a with value "".
ValuePairs parse_urlencoded(std::string_view text, Charset charset);
// The number of pairs parse_urlencoded gives for text, without decoding them.
std::size_t count_urlencoded(std::string_view text);

// A request target's parts, still percent-encoded: the origin form "/path?query", or the
// absolute form "http://host:port/path?query" (RFC 9112 section 3.2.2), which alone has an
// authority ("host:port"); its path is "/" when it has none.
struct RequestTarget {
  std::string_view authority;
  std::string_view path;
  std::string_view query;
};
RequestTarget split_target(std::string_view target);

// The bytes of a percent-encoded URL path: "%XX" as its byte, "+" and a "%" without two hex
// digits after it as they are.
std::string percent_decode(std::string_view text);

// A Cookie header ("a=1; b=2") as pairs, blanks around names and values dropped; names and
// values percent-decoded ("+" stays as it is) and converted from `charset` to UTF-8.
ValuePairs parse_cookie_header(std::string_view header, Charset charset);

}  // namespace host
