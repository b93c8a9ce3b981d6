// Writing fixed client-script text: each line followed by CR LF.
#pragma once

#include <span>
#include <string_view>

#include "platform/asp/response.h"

namespace page {

inline void write_script_lines(platform::asp::Response& out,
                               std::span<const std::string_view> lines) {
  for (std::string_view line : lines) {
    out.write(line);
    out.write("\r\n");
  }
}

}  // namespace page
