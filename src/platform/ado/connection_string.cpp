// Parsing of ADO-style connection strings, and their text with the passwords masked.
#include "platform/ado/connection_string.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "platform/ado/ascii.h"

namespace platform::ado {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// One key=value pair: the key as written, the value as read (a braced value only by its place),
// and where the value's text (quotes and braces included) lies in the string.
struct Pair {
  std::string_view key;
  std::string value;
  std::size_t begin = 0, end = 0;
};

// Where a braced value that opens at `open` ends (just past its closing brace). FreeTDS reads
// it up to the first "};" or the end of the string; the ODBC rule ends it at the first "}" not
// doubled. The farther of the two holds the value however a driver reads it.
std::size_t braced_end(std::string_view text, std::size_t open) {
  const std::size_t tds = text.find("};", open + 1);
  std::size_t odbc = text.find('}', open + 1);
  while (odbc != std::string_view::npos && odbc + 1 < text.size() && text[odbc + 1] == '}')
    odbc = text.find('}', odbc + 2);
  if (tds == std::string_view::npos || odbc == std::string_view::npos) return text.size();
  return std::max(tds, odbc) + 1;
}

// With `braces`, a value may also be an ODBC one in braces ("{a;b}}c}"), read to its closing
// brace (see braced_end).
void for_each_pair(std::string_view text, bool braces, const std::function<void(Pair&)>& take) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t eq = text.find('=', i);
    if (eq == std::string_view::npos) break;
    Pair pair;
    const std::string_view key = trim(text.substr(i, eq - i));
    std::size_t v = eq + 1;
    while (v < text.size() && std::isspace(static_cast<unsigned char>(text[v]))) ++v;
    pair.begin = v;
    if (braces && v < text.size() && text[v] == '{') {
      pair.end = braced_end(text, v);
    } else if (v < text.size() && (text[v] == '"' || text[v] == '\'')) {
      // A quoted value may hold ";"; a doubled quote stands for one.
      const char quote = text[v];
      ++v;
      for (; v < text.size(); ++v) {
        if (text[v] == quote) {
          if (v + 1 < text.size() && text[v + 1] == quote) {
            pair.value += quote;
            ++v;
            continue;
          }
          ++v;
          break;
        }
        pair.value += text[v];
      }
      pair.end = v;
    } else {
      const std::size_t semi = text.find(';', v);
      const std::size_t length = semi == std::string_view::npos ? semi : semi - v;
      pair.value = std::string(trim(text.substr(v, length)));
      pair.end = v + pair.value.size();
    }
    // What follows a closing quote or brace up to the next ";" is dropped.
    const std::size_t semi = text.find(';', pair.end);
    i = semi == std::string_view::npos ? text.size() : semi + 1;
    // A pair without a key (";;" or "=x") is skipped; the key's own ";" separated pairs end it.
    const std::size_t semi_in_key = key.rfind(';');
    pair.key = semi_in_key == std::string_view::npos ? key : trim(key.substr(semi_in_key + 1));
    if (!pair.key.empty()) take(pair);
  }
}

}  // namespace

ConnectionString::ConnectionString(std::string_view text) {
  for_each_pair(text, false, [&](Pair& p) { values_[ascii_lowered(p.key)] = std::move(p.value); });
}

std::string ConnectionString::get(std::string_view key) const {
  const auto it = values_.find(ascii_lowered(key));
  return it == values_.end() ? std::string() : it->second;
}

std::string masked_connection_string(std::string_view text) {
  std::string out;
  std::size_t copied = 0;
  for_each_pair(text, true, [&](Pair& p) {
    const std::string key = ascii_lowered(p.key);
    if (key.find("password") == std::string::npos && key.find("pwd") == std::string::npos) return;
    out.append(text.substr(copied, p.begin - copied)).append("***");
    copied = p.end;
  });
  return out.append(text.substr(copied));
}

}  // namespace platform::ado
