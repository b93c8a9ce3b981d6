// Escaping of values for element content, attributes, textareas, script strings, links and
// query strings.
#include "library/escape.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "vb/builtins.h"
#include "vb/codepage.h"

namespace library {
namespace {

std::string text_of(const vb::Variant& value) {
  if (value.is_string()) return std::string(value.str());
  if (value.is_empty() || value.is_null()) return {};
  try {
    return vb::CStr(value);
  } catch (const vb::VbError&) {
    return {};  // an array or object has no text to write
  }
}

// The address as the browser's URL parser reads it: tabs and line breaks dropped, then
// leading and trailing blanks and control characters.
std::string address_of(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\t' && c != '\n' && c != '\r') out += c;
  }
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t from = 0, to = out.size();
  while (from < to && blank(out[from])) ++from;
  while (to > from && blank(out[to - 1])) --to;
  return out.substr(from, to - from);
}

}  // namespace

std::string html_attribute(const vb::Variant& value) {
  const std::string text = text_of(value);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string html_text(const vb::Variant& value) { return html_attribute(value); }

std::string textarea_text(const vb::Variant& value) { return html_attribute(value); }

std::string js_string(const vb::Variant& value) {
  const std::string text = text_of(value);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\'':
        out += "\\'";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '<':
        out += "\\x3C";
        break;
      default:
        // U+2028 and U+2029 end a line inside a JavaScript string literal.
        if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
            (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
          out += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
          i += 2;
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string vbs_string(const vb::Variant& value) {
  const std::string text = text_of(value);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '"':
        out += "\"\"";
        break;
      case '\r':
        out += "\" & vbCr & \"";
        break;
      case '\n':
        out += "\" & vbLf & \"";
        break;
      case '<':
        out += "<\" & \"";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string js_string_in_attribute(const vb::Variant& value) {
  return html_attribute(js_string(value));
}

std::string html_unquoted_attribute(const vb::Variant& value) {
  std::string out;
  for (const char c : text_of(value)) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || std::isalnum(u)) {
      out += c;
    } else {
      out += "&#" + std::to_string(u) + ";";
    }
  }
  return out;
}

std::string js_literal(const vb::Variant& value) {
  std::string out = "\"";
  for (const char c : js_string(value)) {
    if (c == '/') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string url_value(const vb::Variant& value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto plain = [](unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
  };
  std::string out;
  for (const unsigned char c : vb::to_cp936(text_of(value))) {
    if (plain(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

bool link_address_allowed(const vb::Variant& value) {
  const std::string address = address_of(text_of(value));
  const std::size_t end = address.find_first_of(":/?#");
  if (end == std::string::npos || address[end] != ':') return true;  // a relative address
  std::string scheme = address.substr(0, end);
  std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto";
}

}  // namespace library
