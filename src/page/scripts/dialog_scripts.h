// Fixed client scripts written on every page: the small dialog functions, the close guard and
// the common-opinion handler; then the styles, the cookie and full-screen functions and
// insertKongJian, which places the office document control.
#pragma once

#include "page/page_state.h"

namespace page {

// Writes the three dialog blocks: JavaScript (ShowSelect, displayRen), VBScript (toLoadImage,
// openWinA, openWinB) and the JavaScript block clientEventHandlersJS (mySlectBuMen, clickclose,
// isWindowClose, yiJian_onchange). Their text never depends on the request.
void write_dialog_scripts(PageState& p);

// Writes the style block of the class Pages, the style block of sec1, sec2 and main_tab, and
// the JavaScript block with getCookieVal, GetCookie, SetCookie, fullscreen, restore,
// ScreenIsFull and insertKongJian. Their text never depends on the request.
void write_styles_and_full_screen(PageState& p);

}  // namespace page
