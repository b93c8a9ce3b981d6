// The handling history and the attachments of the current step, two blocks of the panel.
#pragma once

#include "handling/handling_view.h"
#include "library/page_context.h"

namespace handling {

// Block 3, the div YiJianLieBiao: one row per step of the record in the form's step table
// OA_FLOW_<BiaoDanID>_BanLi, oldest first, with its number, node (the name of the step's
// JieDianID, by getnamefromid), handler (showusername), time (lwformatdatetime "yyyy-mm-dd
// hh:nn") and opinion (displaytext), every cell HTML-encoded. Only the header row for a record
// without a key (a new flow).
// BiaoDanID must be a whole number (13 otherwise).
void write_history(library::PageContext& ctx, const HandlingView& view);

// Block 2: per stored attachment of the handling step (OA_Flow_FuJian rows of the record with
// BanLiID = the page's BanLiID, in key order), numbered n from 1, the check box DelAttach<n>
// (value "1"), its download link and the hidden input AttachOAID<n> holding its key; then the
// empty cell bottomFJ for rows added in the browser and the button Addatt. Without a BanLiID
// no attachment is listed. BanLiID must be a whole number (13 otherwise) unless it is "".
void write_attachments(library::PageContext& ctx, const HandlingView& view);

}  // namespace handling
