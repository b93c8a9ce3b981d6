// The page frame of the workflow pages: frame table, title bar and band, button bar, content
// area, message row and, on request, the pager.
#pragma once

#include "frames/page_callbacks.h"
#include "library/page_context.h"
#include "vb/variant.h"

namespace frames {

// Writes the frame at the point of the call, beginning with its own body tag; calls back
// `page.winmenu()` in the button-bar cell and then `page.showcontent()` in the content area
// (div myIDWidth). The title bar is written when `title` is not "", the title band when
// `caption` is not "", the pager form searchform when `showSearch` is true; `fourth` is never
// read. The message row holds the request value msg, HTML-encoded. Writes no form tag.
// Runs under the routine handler "funshowflow": a failure is written and logged and the call
// returns normally; the page-stop signal passes through.
void funshowflow(library::PageContext& ctx, vb::Variant& title, vb::Variant& caption,
                 vb::Variant& showSearch, vb::Variant& fourth, PageCallbacks& page);

}  // namespace frames
