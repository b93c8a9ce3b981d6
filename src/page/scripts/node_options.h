// After the field loop: the current node in the session, the node's document switches, the
// script blocks of its remark, the model's kind and name, and the document addresses.
#pragma once

#include "page/page_state.h"

namespace page {

// Writes nothing to the response. Sets the session's CurrentJieDianID ("*" CurrentJieDianIDs
// "*", or "*" JieDianID "*" when that is empty), PREExecuteString (the remark's <PASP> block, or
// "") and CurrentLiuchengID (LiuChengID). Reads the node (JieDianID quoted) into the "true" /
// "false" switches, isFirst and JieDianRemark; takes RemarkVB (CR made CR LF), RemarkPRE (on
// one line) and RemarkPASP out of the remark, each only when both upper-case tags are in it;
// a Null FileID becomes ""; refreshes isSystem, LiuChengType and LiuChengName; for an office
// document body (ZhengWenType "1") fills the document addresses, RecordID and isNewFile when
// empty, tempFullScreenFile, isFullScreen and TureName from the page's clock and session.
// A failing query raises to I_init's handler.
void set_node_options(PageState& p);

// The display names of the node's distribution lists, in the directory's order: FenFaUserDis
// from the ";"-list of login names FenFaUser, FenFaBuMenDis from the ";"-list of department
// keys FenFaBuMen, with the working variables FenFaUserList, FenFaUserNames, FenFaUserSQL,
// FenFaBuMenList and FenFaBuMenNames. Empty entries are dropped; a name or key without a row
// is left out. A department key that is not a whole number fails with 13 before the query.
void set_distribution_names(PageState& p);

}  // namespace page
