// The number reader and writers behind CDbl, IsNumeric, comparisons and CStr.
#include "vb/text_number.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vb {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

bool consume(std::string_view& s, std::string_view prefix) {
  if (!s.starts_with(prefix)) return false;
  s.remove_prefix(prefix.size());
  return true;
}

bool consume_sign(std::string_view& s, bool& negative) {
  if (consume(s, "+")) return true;
  if (consume(s, "-")) {
    negative = true;
    return true;
  }
  return false;
}

bool consume_currency(std::string_view& s) {
  return consume(s, "\xC2\xA5") || consume(s, "\xEF\xBF\xA5");
}

// "&H1F", "&O17": VB reads these as Integer when they fit 16 bits, else as Long.
std::optional<double> parse_radix(std::string_view digits, int base) {
  if (digits.empty() || digits.size() > 11) return std::nullopt;
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (value <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(value));
  if (value <= 0xFFFFFFFF) return static_cast<double>(static_cast<std::int32_t>(value));
  return std::nullopt;
}

}  // namespace

std::optional<double> parse_number(std::string_view text) {
  std::string_view s = trim_blanks(text);
  if (s.size() > 2 && s[0] == '&') {
    char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
    if (radix == 'H') return parse_radix(s.substr(2), 16);
    if (radix == 'O') return parse_radix(s.substr(2), 8);
    return std::nullopt;
  }

  bool negative = false;
  bool parenthesised = consume(s, "(");
  bool signed_before = consume_sign(s, negative);
  if (consume_currency(s) && !signed_before) signed_before = consume_sign(s, negative);

  // Keep digits, point and exponent; thousands separators are dropped without checking
  // the grouping, as the runtime does ("1,2" reads as 12).
  std::string clean;
  bool digits = false;
  while (!s.empty() &&
         (std::isdigit(static_cast<unsigned char>(s.front())) || (s.front() == ',' && digits))) {
    if (s.front() != ',') {
      clean += s.front();
      digits = true;
    }
    s.remove_prefix(1);
  }
  if (consume(s, ".")) {
    clean += '.';
    while (!s.empty() && std::isdigit(static_cast<unsigned char>(s.front()))) {
      clean += s.front();
      digits = true;
      s.remove_prefix(1);
    }
  }
  if (!digits) return std::nullopt;
  if (!s.empty() && (s.front() == 'e' || s.front() == 'E')) {
    clean += 'e';
    s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
      clean += s.front();
      s.remove_prefix(1);
    }
    bool exponent_digits = false;
    while (!s.empty() && std::isdigit(static_cast<unsigned char>(s.front()))) {
      clean += s.front();
      exponent_digits = true;
      s.remove_prefix(1);
    }
    if (!exponent_digits) return std::nullopt;
  }
  if (!signed_before) consume_sign(s, negative);
  if (parenthesised) {
    if (negative || !consume(s, ")")) return std::nullopt;
    negative = true;
  }
  if (!s.empty()) return std::nullopt;

  double value = 0;
  auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
  if (ec != std::errc() || end != clean.data() + clean.size()) return std::nullopt;
  return negative ? -value : value;
}

std::string format_double(double d) {
  if (d == 0) return "0";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
  std::string text(buf, ec == std::errc() ? end : buf);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

std::string format_currency(Currency c) {
  std::uint64_t magnitude = c.scaled < 0 ? 0 - static_cast<std::uint64_t>(c.scaled)
                                         : static_cast<std::uint64_t>(c.scaled);
  char text[32];
  int n = std::snprintf(text, sizeof text, "%s%llu.%04llu", c.scaled < 0 ? "-" : "",
                        static_cast<unsigned long long>(magnitude / 10000),
                        static_cast<unsigned long long>(magnitude % 10000));
  while (text[n - 1] == '0') --n;
  if (text[n - 1] == '.') --n;
  return std::string(text, static_cast<std::size_t>(n));
}

}  // namespace vb
