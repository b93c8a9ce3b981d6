// Whether the user may edit the current placeholder at the current node.
#pragma once

#include "page/page_state.h"

namespace page {

// Whether the user may edit the field or placeholder `code` at the current node: the node's
// EditFields (its "-" read as "_") lists it, unless the user only answers a consultation (then
// the list counts as empty); or the user is in TQUserList at a node that is not a start node; or
// the user holds a privileged to-do entry. The detail tables ask it of each column.
bool may_edit(const PageState& p, const vb::Variant& code);

// The editability rule for p.zdID: may_edit, and the code is a field key (no "_") or the title
// "_2". Sets
// p.isEdit; a placeholder the user may not edit gets p.zdValue "". When the user only answers
// a consultation, EditFields is emptied for the rest of the request. Writes the session keys
// TQIsRen, TQBiaoDanRecordID, TQBiaoDanID, TQJieDianID, OABiaoDanRecordID, OABiaoDanID and
// OAJieDianID that the sibling pages read.
void decide_editability(PageState& p);

}  // namespace page
