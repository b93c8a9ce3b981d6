// Whether the user may edit the current placeholder at the current node.
#pragma once

#include "page/page_state.h"

namespace page {

// The editability rule for p.zdID: editable when the node's EditFields (its "-" read as "_")
// lists the code, or the user is in TQUserList at a node that is not a start node, or the user
// holds a privileged to-do entry; and the code is a field key (no "_") or the title "_2". Sets
// p.isEdit; a placeholder the user may not edit gets p.zdValue "". When the user only answers
// a consultation, EditFields is emptied for the rest of the request. Writes the session keys
// TQIsRen, TQBiaoDanRecordID, TQBiaoDanID, TQJieDianID, OABiaoDanRecordID, OABiaoDanID and
// OAJieDianID that the sibling pages read.
void decide_editability(PageState& p);

}  // namespace page
