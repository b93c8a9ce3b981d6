// Parsing of the command line's dates, addresses and KEY=VALUE items.
#include "host/argument_values.h"

#include <charconv>
#include <regex>

#include "vb/calendar.h"

namespace host {

std::optional<vb::Date> parse_fixed_now(const std::string& text) {
  static const std::regex kFormat(R"((\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2}))");
  std::smatch m;
  if (!std::regex_match(text, m, kFormat)) return std::nullopt;
  vb::DateFields fields{std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]),
                        std::stoi(m[4]), std::stoi(m[5]), std::stoi(m[6])};
  if (fields.year < 100 || fields.month < 1 || fields.month > 12 || fields.day < 1 ||
      fields.hour > 23 || fields.minute > 59 || fields.second > 59) {
    return std::nullopt;
  }
  vb::Date date = vb::make_date(fields);
  vb::DateFields back = vb::split_date(date);
  if (back.month != fields.month || back.day != fields.day) return std::nullopt;  // rolled over
  return date;
}

std::optional<Listen> parse_listen(const std::string& text) {
  size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return std::nullopt;
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  std::string_view digits = std::string_view(text).substr(colon + 1);
  int port = -1;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (error != std::errc() || end != digits.data() + digits.size() || port < 0 || port > 65535) {
    return std::nullopt;
  }
  return Listen{host, port};
}

std::vector<std::pair<std::string, vb::Variant>> parse_key_values(
    const std::vector<std::string>& items) {
  std::vector<std::pair<std::string, vb::Variant>> values;
  for (const std::string& item : items) {
    size_t eq = item.find('=');
    values.emplace_back(item.substr(0, eq), vb::Variant(item.substr(eq + 1)));
  }
  return values;
}

}  // namespace host
