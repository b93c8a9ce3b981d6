// The page after the frame returns: the client scripts that check, pre-check and submit the
// form, the common-opinion list with the look-up and toggle scripts, the print scripts, the
// user picker and handling-result handlers, and the print form that ends the page.
#pragma once

#include <string>

#include "page/page_state.h"
#include "vb/variant.h"

namespace page {

// Each phase writes its piece in the page's order; each raises only what Response.write or (for
// the opinion list) the dictionary list raises, and sets no page variable.

// Opens the VBScript block of the save path: nowIsContinue, SetEmpty, the four recipient
// pickers and saveToDB, with the node's RemarkVB inside saveToDB as it stands.
void write_save_check(PageState& p);
// Ends that block with thistosubmit (by ZhengWenType and BanLiType) and the attachment rows,
// then the JavaScript block of topreCheck (RemarkPRE as it stands in front of fujian) and
// formToStrings.
void write_submit_scripts(PageState& p);
// The hidden form FormZiDian with the common opinions, HasThisElement and their page-load copy
// into the opinion list, then myChaXun, DownLoadFile and ChangeDis.
void write_opinion_list(PageState& p);
// The two print blocks, the user picker and DisplayText, the handling-result handlers (posting
// BiaoDanID, BiaoDanRecordID and JieDianID to do.asp), and the print form bdprint.
void write_print_and_end(PageState& p);

// A record key as a JavaScript value: a whole number without a leading zero as it stands, so it
// posts as a number; anything else ("010", the empty key of a new flow) as a quoted and escaped
// string, so the server receives the key as the page had it.
std::string js_key(const vb::Variant& key);

}  // namespace page
