// Modify entry: the user reopens a handling step (BanLiID) of a record waiting at a node.
#include "library/sql_guard.h"
#include "page/entry/entry_queries.h"
#include "page/entry/mode.h"
#include "page/page_stop.h"
#include "page/work_recordset.h"
#include "platform/asp/request.h"
#include "platform/asp/session.h"

namespace page {

void enter_modify(PageState& p) {
  const auto& Request = *p.ctx.Request;
  if (!(Request("BanLiID") != "" && Request("BiaoDanID") != "" &&
        Request("BiaoDanRecordID") != "" && Request("JieDianID") != "")) {
    return;
  }

  p.CurrentOperate = "修改流程";
  p.BanLiID = Request("BanLiID");
  p.BiaoDanID = Request("BiaoDanID");
  p.BiaoDanRecordID = Request("BiaoDanRecordID");
  p.JieDianID = Request("JieDianID");
  canonicalize_keys({&p.BanLiID, &p.BiaoDanID, &p.BiaoDanRecordID, &p.JieDianID});

  // The user's to-do entry for the record; only the first row found can make it privileged.
  p.isTeQuanDaiBan = false;
  p.hasDaiBan = false;
  auto& daiban = open_query(p, p.rs, p.ctx.sql,
                            " select  *  from OA_DaiBan_LiuCheng where BiaoDanRecordID='" +
                                library::sql_text(p.BiaoDanRecordID) + "' and BiaoDanID='" +
                                library::sql_text(p.BiaoDanID) + "' and BanLiRen='" +
                                library::sql_text(p.ctx.Session->get("UserName")) + "'");
  if (daiban.RecordCount() > 0) {
    if (daiban("BanLiType") == "T") p.isTeQuanDaiBan = true;
    p.hasDaiBan = true;
  }
  daiban.Close();
  if (p.hasDaiBan == false) stop_page(p, "系统提示：您没有授权或者该节点已经办理完参数错误！");

  auto& node = open_node_or_stop(p);
  p.BanLiType = node("BanLiType");
  p.isFirst = node("isFirst");
  node.Close();

  auto& record = open_record_row(p);
  if (record.RecordCount() > 0) {
    p.CurrentJieDianIDs = record("CurrentJieDianIDs");
    p.RecordID = record("RecordID");
    p.ContentHTML = record("ContentHTML");
    p.FileTile = record("FileTile");
    p.isNewFile = "false";
  }
  record.Close();

  // The step is read by its key alone; a step of another record counts as no step, so a
  // to-do entry for one record cannot open the opinion and files of another.
  auto& step = open_query(p, p.rs, p.ctx.sql,
                          "select * from OA_FLOW_" + library::sql_int(p.BiaoDanID) +
                              "_BanLi where OAID=" + library::sql_int(p.BanLiID));
  if (step.RecordCount() > 0 && step("BiaoDanRecordID") == p.BiaoDanRecordID) {
    p.ContentHTML = step("ContentHTML");
    p.BanLiJieGuo = step("BanLiJieGuo");
    p.BanLiYiJian = step("BanLiYiJian");
    p.isNewFile = "false";
    p.FileID = step("FileID");
  }
  step.Close();
}

}  // namespace page
