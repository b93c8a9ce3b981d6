// Writing a session out as text lines.
#include "host/session_dump.h"

#include "vb/builtins.h"

namespace host {
namespace {

std::string value_text(const vb::Variant& value) {
  if (value.is_null()) return "Null";
  if (value.is_object()) return "[Object]";
  if (value.is_array()) return "[Array]";
  return vb::CStr(value);
}

std::string escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string dump_session(const platform::asp::Session& session) {
  std::string out;
  for (const auto& [key, value] : session.items()) {
    out += key + "=" + escaped(value_text(value)) + "\n";
  }
  out += "@CodePage=" + std::to_string(session.CodePage) + "\n";
  out += "@TimeOut=" + std::to_string(session.TimeOut) + "\n";
  return out;
}

}  // namespace host
