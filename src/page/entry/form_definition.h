// The form definition of the record: the form's template, name, loading flag and body kind.
#pragma once

#include "page/page_state.h"

namespace page {

// Ends the page with "参数错误！" when no mode was decided (CurrentOperate ""), and with
// "错误参数！" when OA_Flow_BiaoDan has no row for BiaoDanID (a whole number: 13 otherwise).
// Else sets BiaoDanHTML to the template BiaoDanCSS wrapped in the JiBenXinXi DIV, BiaoDanName,
// isJiaZai, ZhengWenType, isNewFile False when isJiaZai is "1", and isFirstJieDian False.
void load_form_definition(PageState& p);

}  // namespace page
