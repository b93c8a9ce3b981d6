// First phase of the page body: the opening line, script and style links, the small client
// functions del, todel and openFlow, and the title.
#pragma once

#include "page/page_state.h"

namespace page {

// Writes the page head; the same on every request. Raises only what Response.write raises.
void head(PageState& state);

}  // namespace page
