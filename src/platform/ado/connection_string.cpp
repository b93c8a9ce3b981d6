// Parsing of ADO-style connection strings.
#include "platform/ado/connection_string.h"

#include <cctype>

namespace platform::ado {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

ConnectionString::ConnectionString(std::string_view text) {
  while (!text.empty()) {
    const std::size_t semi = text.find(';');
    const std::string_view pair = text.substr(0, semi);
    text = semi == std::string_view::npos ? std::string_view() : text.substr(semi + 1);
    const std::size_t eq = pair.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view value = trim(pair.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    values_[lower(trim(pair.substr(0, eq)))] = std::string(value);
  }
}

std::string ConnectionString::get(std::string_view key) const {
  const auto it = values_.find(lower(key));
  return it == values_.end() ? std::string() : it->second;
}

}  // namespace platform::ado
