// Parsing of ADO-style connection strings.
#include "platform/ado/connection_string.h"

#include <cctype>

#include "platform/ado/ascii.h"

namespace platform::ado {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

ConnectionString::ConnectionString(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t eq = text.find('=', i);
    if (eq == std::string_view::npos) break;
    const std::string_view key = trim(text.substr(i, eq - i));
    std::size_t v = eq + 1;
    while (v < text.size() && std::isspace(static_cast<unsigned char>(text[v]))) ++v;
    std::string value;
    if (v < text.size() && (text[v] == '"' || text[v] == '\'')) {
      // A quoted value may hold ";"; a doubled quote stands for one.
      const char quote = text[v++];
      for (; v < text.size(); ++v) {
        if (text[v] == quote) {
          if (v + 1 < text.size() && text[v + 1] == quote) {
            value += quote;
            ++v;
            continue;
          }
          ++v;
          break;
        }
        value += text[v];
      }
      const std::size_t semi = text.find(';', v);
      i = semi == std::string_view::npos ? text.size() : semi + 1;
    } else {
      const std::size_t semi = text.find(';', v);
      const std::size_t end = semi == std::string_view::npos ? text.size() : semi;
      value = std::string(trim(text.substr(v, end - v)));
      i = end + 1;
    }
    // A pair without a key (";;" or "=x") is skipped; the key's own ";" separated pairs end it.
    const std::size_t semi_in_key = key.rfind(';');
    const std::string_view name =
        semi_in_key == std::string_view::npos ? key : trim(key.substr(semi_in_key + 1));
    if (!name.empty()) values_[ascii_lowered(name)] = std::move(value);
  }
}

std::string ConnectionString::get(std::string_view key) const {
  const auto it = values_.find(ascii_lowered(key));
  return it == values_.end() ? std::string() : it->second;
}

}  // namespace platform::ado
