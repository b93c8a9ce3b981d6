// Escaping of values for attributes, textareas and script strings.
#include "library/escape.h"

#include <string_view>

#include "vb/builtins.h"

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

bool starts_with_ci(std::string_view text, size_t at, std::string_view lower) {
  if (text.size() - at < lower.size()) return false;
  for (size_t i = 0; i < lower.size(); ++i) {
    char c = text[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
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

std::string textarea_text(const vb::Variant& value) {
  const std::string text = text_of(value);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<' && starts_with_ci(text, i, "</textarea")) {
      out += "&lt;";
    } else {
      out += text[i];
    }
  }
  return out;
}

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
      case '/':
        out += (i > 0 && text[i - 1] == '<') ? "\\/" : "/";
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
      case '/':
        out += (i > 0 && text[i - 1] == '<') ? "\" & \"/" : "/";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace library
