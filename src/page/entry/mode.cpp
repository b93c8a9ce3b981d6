// Mode set-up: the opener flag, the cleared keys and the work recordsets.
#include "page/entry/mode.h"

#include "page/work_recordset.h"
#include "platform/asp/request.h"
#include "platform/asp/session.h"

namespace page {

void set_up_mode(PageState& p) {
  const auto& Request = *p.ctx.Request;
  auto& Session = *p.ctx.Session;

  if (Request("isStart") == "true") {
    Session["OpenerCanClose"] = false;
  } else {
    Session["OpenerCanClose"] = true;
  }

  for (vb::Variant* key : {&p.FileID, &p.RecordID, &p.BiaoDanID, &p.BiaoDanRecordID, &p.JieDianID,
                           &p.BanLiID, &p.LiuChengID, &p.CurrentJieDianIDs, &p.CurrentOperate}) {
    *key = "";
  }

  p.rs = new_recordset();
  p.rs2 = new_recordset();
}

}  // namespace page
