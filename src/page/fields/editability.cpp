// Whether the user may edit the current placeholder at the current node.
#include "page/fields/editability.h"

#include "library/flags.h"
#include "vb/builtins.h"

namespace page {

namespace {

vb::Variant listed_codes(const PageState& p) {
  return vb::Replace(vb::Variant(",") & p.EditFields & ",", "-", "_");
}

// may_edit with the node's listed codes already at hand.
bool may_edit_listed(const PageState& p, const vb::Variant& listed_codes, const vb::Variant& code) {
  const bool listed =
      !(p.DaiBanBanLiType == "1") && vb::InStr(listed_codes, vb::Variant(",") & code & ",") > 0;
  const bool trusted =
      !library::flag_set(p.isFirst) &&
      vb::InStr(p.TQUserList, vb::Variant(";") & p.ctx.Session->get("Username") & ";") > 0;
  const bool privileged = p.isTeQuanDaiBan == true;
  return listed || trusted || privileged;
}

}  // namespace

bool may_edit(const PageState& p, const vb::Variant& code) {
  return may_edit_listed(p, listed_codes(p), code);
}

void decide_editability(PageState& p) {
  auto& Session = *p.ctx.Session;
  p.isEdit = false;
  if (p.DaiBanBanLiType == "1") p.EditFields = "";
  p.strHTML = listed_codes(p);

  const bool field_or_title = vb::InStr(p.zdID, "_") == 0 || p.zdID == "_2";
  if (may_edit_listed(p, p.strHTML, p.zdID) && field_or_title) {
    p.isEdit = true;
  } else {
    p.zdValue = "";
  }

  Session["TQIsRen"] = p.isRen;
  Session["TQBiaoDanRecordID"] = p.BiaoDanRecordID;
  Session["TQBiaoDanID"] = p.BiaoDanID;
  Session["TQJieDianID"] = p.JieDianID;
  Session["OABiaoDanRecordID"] = p.BiaoDanRecordID;
  Session["OABiaoDanID"] = p.BiaoDanID;
  Session["OAJieDianID"] = p.JieDianID;
}

}  // namespace page
