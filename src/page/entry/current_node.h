// The current node of the record and the fields the user may edit there.
#pragma once

#include "page/page_state.h"

namespace page {

// In a new flow of kind 1 or 2: the model's first node (isFirst '1') gives EditFields,
// JieDianID, isFirst, the five switches and isRen, and isFirstJieDian becomes True; without a
// first node the page ends with "错误参数！". Kind 0: EditFields is "-1,-2," followed by the key
// and a "," of every field of the form's record table, and isFirstJieDian becomes True. Any
// other kind (Empty included) reads nothing.
// Other modes: the node JieDianID gives EditFields, isFirst, the switches and isRen; without it
// the page ends with "错误参数！". Keys must be whole numbers: 13 otherwise.
void load_current_node(PageState& p);

}  // namespace page
