// Whether the user may edit the current placeholder at the current node.
#include "page/editability.h"

#include "vb/builtins.h"

namespace page {

void decide_editability(PageState& p) {
  auto& Session = *p.ctx.Session;
  p.isEdit = false;
  if (p.DaiBanBanLiType == "1") p.EditFields = "";
  p.strHTML = vb::Replace(vb::Variant(",") & p.EditFields & ",", "-", "_");

  const bool listed = vb::InStr(p.strHTML, vb::Variant(",") & p.zdID & ",") > 0;
  const bool trusted =
      p.isFirst != "1" &&
      vb::InStr(p.TQUserList, vb::Variant(";") & Session.get("Username") & ";") > 0;
  const bool privileged = p.isTeQuanDaiBan == true;
  const bool field_or_title = vb::InStr(p.zdID, "_") == 0 || p.zdID == "_2";
  if ((listed || trusted || privileged) && field_or_title) {
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
