// The collapsible blocks of the handling panel: a header row whose click folds the block
// (ChangeDis with the block's number) and the row Status<n> that holds it.
#pragma once

#include <string_view>

#include "platform/asp/response.h"

namespace handling {

// Opens block `number` ("1" form, "2" attachments, "3" history, "8" document body) under
// `caption`, shown, with its icon img<number> "../images/up.gif".
void open_section(platform::asp::Response& out, std::string_view number,
                  std::string_view caption);
// Closes the block that open_section opened.
void close_section(platform::asp::Response& out);

// A block without folding: a header row and a plain row.
void open_plain_section(platform::asp::Response& out, std::string_view caption);

}  // namespace handling
