// Ending the page early: the page body writes one message and raises the page-stop signal.
#pragma once

#include <string_view>

#include "page/page_state.h"

namespace page {

// Writes `message` into the page as it stands (no markup, no line break) and throws
// vb::VbError(vb::kPageStop). I_init's handler takes it as the end of the page: nothing more is
// written and nothing is logged. Every routine handler on the way passes it on unchanged.
[[noreturn]] void stop_page(PageState& state, std::string_view message);

}  // namespace page
