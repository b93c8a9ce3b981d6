// The visible page: the body tag, the full-screen parameters, the loading notice and the posted
// form webform around the page frame.
#pragma once

#include "frames/page_callbacks.h"
#include "page/page_state.h"

namespace page {

// Writes the body tag; the hidden form FullScreenParm when the main text is an office document
// (ZhengWenType "1"); the loading notice; the form webform to BiaoDanTianXieDo.asp with its
// thirteen hidden fields (values HTML-encoded); the page frame, which calls back `page` for the
// button bar and the handling panel; then closes the form, hides the notice and writes the
// dictionary picker script openZiDian. Sets PopWindowBgColor.
void write_posted_form(PageState& p, frames::PageCallbacks& page);

}  // namespace page
