// Client script text as the page writes it: one line after another, each ended by CR LF.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "platform/asp/response.h"

namespace page {

// The lines joined, each followed by CR LF.
inline std::string script_lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// Writes fixed lines to the page, each followed by CR LF.
inline void write_script_lines(platform::asp::Response& out,
                               std::span<const std::string_view> lines) {
  for (std::string_view line : lines) {
    out.write(line);
    out.write("\r\n");
  }
}

}  // namespace page
