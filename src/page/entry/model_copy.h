// The privileged model copy: a new workflow on a model whose isSystem is "2" runs on a private
// copy of the model's header and of the chain of nodes behind its first node.
#pragma once

#include "page/page_state.h"

namespace page {

// Copies the model OldLiuChengID (a whole number: 13 otherwise) and points LiuChengID at the
// copy. Adds a header row (parentID the source key, Remark "特权流程", the rest copied), a copy
// of the first node (isfirst '1', isTiaoGuo included), then follows the first connection
// returned from each node, copying each node reached (isTiaoGuo left at its default) and
// joining it to the copy before by an unconditional connection. The walk ends at a node
// without connection, a ToID of 0 or less, or a node it has already visited. Leaves
// OldFirstJieDianID, PrevJieDianID, NewJieDianID, NextOldJieDianID, sql and strsql as the
// last step set them; uses rs, rs2, rsOldHeader and rsConnect.
//
// Runs in one transaction on ctx.conn: any failure rolls back every row added and passes on.
// When the source header row cannot be read, writes "错误参数！" and ends the page, adding
// nothing.
void copy_privileged_model(PageState& p);

}  // namespace page
