// Top-level routine of the frames library: the lines every framed page needs before its head.
#pragma once

#include "library/page_context.h"

namespace frames {

// Writes the gb2312 meta tag, the style sheet and sort script links under the session's
// SystemURL and the small style block, each line ended by CR LF. Runs as a top-level routine:
// a failure is written and logged under "qmincfunctionwindI_init" and the page goes on.
void qmincfunctionwindI_init(library::PageContext& ctx);

}  // namespace frames
