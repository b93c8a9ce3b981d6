// Client script text as the page writes it: one line after another, each ended by CR LF.
#pragma once

#include <initializer_list>
#include <string>

namespace page {

inline std::string script_lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace page
