// The user's position in the to-do list at the current node, the node's switches, and the
// removal of the user's notices about the record.
#pragma once

#include "page/page_state.h"

namespace page {

// When the request carries BiaoDanID, BiaoDanRecordID and JieDianID, reads the user's entries
// in OA_DaiBan_LiuCheng: isSendGouTong (an open consultation the user sent), isGouTongOnly (no
// ordinary entry) and then DaiBanBanLiType and SendUser of the user's first entry. Then:
// DaiBanBanLiType, SendUser and the switches iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui,
// isRen become "0" when Empty, Null or ""; the five switches anything but "1" become "0";
// isShowChoice is True when hand-over, consultation or rejection is on; the first node of a new
// flow (isFirstJieDian) turns all five off and isShowChoice False. With a record key, deletes
// the user's notices about the record from OA_MSG. BookMarkNames and BookMarkValues become
// arrays of one Empty element, index 0.
void load_todo_state(PageState& p);

}  // namespace page
