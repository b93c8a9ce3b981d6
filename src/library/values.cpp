// Values read from or made for a form: numbers, e-mail addresses, a conditional pick, new
// identifiers and random texts.
#include <array>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "library/formatting.h"
#include "vb/builtins.h"

namespace library {
namespace {

bool is_email_character(char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

bool is_email_part(std::string_view part) {
  if (part.empty() || part.front() == '.' || part.back() == '.') return false;
  for (char c : part) {
    if (!is_email_character(c)) return false;
  }
  return true;
}

bool is_valid_email(const std::string& address) {
  const auto at = address.find('@');
  if (at == std::string::npos || address.find('@', at + 1) != std::string::npos) return false;
  const std::string_view local = std::string_view(address).substr(0, at);
  const std::string_view domain = std::string_view(address).substr(at + 1);
  if (!is_email_part(local) || !is_email_part(domain)) return false;
  const auto dot = domain.rfind('.');
  if (dot == std::string_view::npos) return false;
  const auto last_part = domain.size() - dot - 1;
  if (last_part != 2 && last_part != 3) return false;
  return address.find("..") == std::string::npos;
}

}  // namespace

vb::Variant to_number(PageContext& ctx, vb::Variant& text) {
  vb::Variant result;
  ctx.routine("to_number", [&] {
    if (text.is_null()) {
      result = 0;
      return;
    }
    text = vb::Trim(text);
    if (text == "") {
      result = 0;
      return;
    }
    const int last = static_cast<int>(vb::CLng(vb::Len(text)));
    // Counts with the page's ii, like shrinklonginput.
    for (ctx.ii = 1; ctx.ii <= last; ctx.ii = ctx.ii + vb::Variant(1)) {
      const vb::Variant character = vb::Mid(text, ctx.ii, 1);
      if (character > vb::Variant("9") || character < vb::Variant("0")) {
        result = 0;
        return;
      }
    }
    result = vb::Int(text);
  });
  return result;
}

vb::Variant isvalidemail(PageContext& ctx, const vb::Variant& address) {
  vb::Variant result;
  ctx.routine("isvalidemail", [&] { result = is_valid_email(vb::CStr(address)); });
  return result;
}

vb::Variant iif(PageContext& ctx, const vb::Variant& condition, const vb::Variant& value1,
                const vb::Variant& value2) {
  vb::Variant result;
  ctx.routine("iif", [&] { result = condition.truthy() ? value1 : value2; });
  return result;
}

vb::Variant getuid(PageContext& ctx) {
  vb::Variant result;
  ctx.routine("getuid", [&] {
    std::random_device source;
    std::array<std::uint8_t, 16> bytes{};
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(source());
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string digits;
    for (auto byte : bytes) {
      digits += kHex[byte >> 4];
      digits += kHex[byte & 0x0F];
    }
    result = digits;
  });
  return result;
}

vb::Variant gernd(PageContext& ctx, const vb::Variant& length) {
  vb::Variant result;
  ctx.routine("gernd", [&] {
    static constexpr std::string_view kCharacters =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    // Read as a number once: compared as text, a length given as text would never be reached.
    // Null, or text that is not a number, asks for nothing.
    const double wanted = loop_bound(length).value_or(0);
    std::mt19937 generator(
        static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<std::size_t> position(0, kCharacters.size() - 1);
    std::string text;
    while (static_cast<double>(text.size()) < wanted) text += kCharacters[position(generator)];
    result = text;
  });
  return result;
}

}  // namespace library
