// Hands the page variables that the button bar and the handling panel read over to them.
#pragma once

#include "handling/handling_view.h"
#include "page/page_state.h"

namespace page {

// A copy of the page variables of the same names, taken when the frame calls back.
handling::HandlingView handling_view(const PageState& p);

}  // namespace page
