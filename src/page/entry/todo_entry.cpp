// To-do entry: the user opens a record that waits at a node (BiaoDanID, BiaoDanRecordID,
// JieDianID). It runs after the other entries, so its mode is the final one.
#include "page/entry/entry_queries.h"
#include "page/entry/mode.h"
#include "platform/asp/request.h"

namespace page {

void enter_todo(PageState& p) {
  const auto& Request = *p.ctx.Request;
  p.TQUserList = "";
  if (!(Request("BiaoDanID") != "" && Request("BiaoDanRecordID") != "" &&
        Request("JieDianID") != "")) {
    return;
  }

  p.CurrentOperate = "待办流程";
  p.BiaoDanID = Request("BiaoDanID");
  p.BiaoDanRecordID = Request("BiaoDanRecordID");
  p.JieDianID = Request("JieDianID");
  canonicalize_keys({&p.BiaoDanID, &p.BiaoDanRecordID, &p.JieDianID});

  auto& node = open_node_or_stop(p);
  p.BanLiType = node("BanLiType");
  p.isFirst = node("isFirst");
  p.TQUserList = node("TQUserList");
  p.isRen = node("isRen");
  p.FenFaUser = node("FenFaUser");
  p.FenFaBuMen = node("FenFaBuMen");
  node.Close();

  // A missing record row is no error: the page goes on with what it has.
  auto& record = open_record_row(p);
  if (record.RecordCount() > 0) {
    p.CurrentJieDianIDs = record("CurrentJieDianIDs");
    p.RecordID = record("RecordID");
    p.LiuChengID = record("LiuChengID");
    p.CodeNumber = record("CodeNumber");
    p.FileTile = record("FileTile");
    p.ContentHTML = record("ContentHTML");
    p.isNewFile = "false";
  }
  record.Close();
}

}  // namespace page
