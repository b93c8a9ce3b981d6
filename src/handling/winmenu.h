// The button bar of the form fill-in page, written into the frame's button-bar cell.
#pragma once

#include "handling/handling_view.h"
#include "library/page_context.h"

namespace handling {

// Writes the buttons, in this order: approval (privileged users only, with the hidden input
// isteQuan "1"), 暂存 (Td_ColumnSet1), 下一步 (Td_ColumnSet2), print, workflow information
// (only when the session's CurrentLiuchengID is not empty), abandon (only when isFeiQi is "1"),
// close, and the full-screen buttons inside an HTML comment. Runs under the routine handler
// "winmenu": a failure is written and logged and the call returns; a page stop passes through.
void winmenu(library::PageContext& ctx, const HandlingView& view);

// Whether the user may use the approval page: a to-do entry of kind "T" for the record
// (isTeQuanDaiBan; read from OA_DaiBan_LiuCheng when the page did not decide it), or the user
// named in TQUserList at a node that is not a start node. Raises on a failing query.
bool is_privileged(library::PageContext& ctx, const HandlingView& view);

}  // namespace handling
