// The privileged model copy: header, first node, and the chain of first connections.
#include "page/entry/model_copy.h"

#include <set>

#include "library/sql_guard.h"
#include "page/page_stop.h"
#include "page/work_recordset.h"
#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

using platform::ado::Recordset;

constexpr const char* kHeaderColumns[] = {"Name",        "BiaoDanID", "TiaoJian",
                                          "TiaoJianDis", "IsOn",      "isSystem",
                                          "Manager",     "chufaflow", "isTongZhi"};

constexpr const char* kNodeColumns[] = {
    "JieDianName",   "BanLiRenType",  "JiaoSeUserList", "DaiLiIsAble", "EditFields",
    "BanLiType",     "ProcessType",   "WaitTime",       "TimeUnit",    "Remark",
    "IsYiJianTotal", "IsGenZong",     "PosX",           "PosY",        "isFirst",
    "isTaoHong",     "isImportWord",  "isQianMing",     "isYinZhang",  "isChaKanHenJi",
    "isXiuDingJiLu", "IsRecMark",     "isWordProtect",  "IsPrint",     "isYanZhengQianMing",
    "isLocalSave",   "youjiantixing", "iszhuanban",     "isgoutong",   "isFenFa",
    "isFeiQi",       "isBoHui",       "TQUserList",     "FenFaUser",   "isRen",
    "FenFaBuMen"};

// Adds a copy of the source node's current row to the copied model; returns the key the
// database gave it. Only the first node carries its isTiaoGuo over.
vb::Variant copy_node(PageState& p, Recordset& source, bool with_tiaoguo) {
  auto& copy =
      open_query(p, p.rs2, p.ctx.strsql, "select * from OA_Flow_Model_JieDian where  oaid=0");
  copy.AddNew();
  copy("MOAID") = p.LiuChengID;
  for (const char* column : kNodeColumns) copy(column) = source(column);
  if (with_tiaoguo) copy("isTiaoGuo") = source("isTiaoGuo");
  copy.Update();
  vb::Variant key = copy("OAID");
  copy.Close();
  return key;
}

void copy_header(PageState& p) {
  p.rsOldHeader = new_recordset();
  auto& old_header = open_query(
      p, p.rsOldHeader, p.ctx.sql,
      "select * from OA_Flow_Model_Header where OAID =  " + library::sql_int(p.OldLiuChengID));
  // Without its header the nodes would be copied into the source model itself.
  if (!(old_header.RecordCount() > 0)) stop_page(p, "错误参数！");

  auto& header =
      open_query(p, p.rs, p.ctx.sql, "select * from OA_Flow_Model_Header where OAID =0 ");
  header.AddNew();
  for (const char* column : kHeaderColumns) header(column) = old_header(column);
  header("parentID") = p.OldLiuChengID;
  header("Remark") = "特权流程";
  header.Update();
  p.LiuChengID = header("OAID");
  header.Close();
  old_header.Close();
}

void copy_first_node(PageState& p) {
  p.OldFirstJieDianID = 0;
  p.rsConnect = new_recordset();
  auto& first = open_query(p, p.rs, p.ctx.strsql,
                           "select * from OA_Flow_Model_JieDian where  MOAID =" +
                               library::sql_int(p.OldLiuChengID) + " and isfirst='1'");
  if (first.RecordCount() > 0) {
    p.OldFirstJieDianID = first("OAID");
    p.PrevJieDianID = copy_node(p, first, true);
  }
  first.Close();
}

// The ToID of the first connection returned from `from_key`, read through `rs`; 0 when none.
vb::Variant first_connection_target(PageState& p, const vb::Variant& rs,
                                    const vb::Variant& from_key) {
  auto& connections =
      open_query(p, rs, p.ctx.sql,
                 "Select * from OA_Flow_Model_JieDian_ConnectTiaoJian where FromID=" +
                     library::sql_int(from_key));
  vb::Variant target = 0;
  if (connections.RecordCount() > 0) target = connections("ToID");
  connections.Close();
  return target;
}

void add_connection(PageState& p) {
  auto& connection = open_query(p, p.rs2, p.ctx.sql,
                                "Select * from OA_Flow_Model_JieDian_ConnectTiaoJian where OAID=0");
  connection.AddNew();
  connection("MOAID") = p.LiuChengID;
  connection("FromID") = p.PrevJieDianID;
  connection("ToID") = p.NewJieDianID;
  connection.Update();
  connection.Close();
}

void copy_chain(PageState& p) {
  p.NextOldJieDianID = first_connection_target(p, p.rsConnect, p.OldFirstJieDianID);

  // Source nodes already met: a chain of first connections that comes back to one of them
  // would otherwise be copied without end.
  std::set<long> visited;
  if (vb::CLng(p.OldFirstJieDianID) > 0) visited.insert(vb::CLng(p.OldFirstJieDianID));

  while (vb::CLng(p.NextOldJieDianID) > 0) {
    if (!visited.insert(vb::CLng(p.NextOldJieDianID)).second) break;

    auto& source = open_query(
        p, p.rs, p.ctx.strsql,
        "select * from OA_Flow_Model_JieDian where  OAID =" + library::sql_int(p.NextOldJieDianID));
    if (source.RecordCount() > 0) {
      p.NewJieDianID = copy_node(p, source, false);
      add_connection(p);
      p.PrevJieDianID = p.NewJieDianID;
    }
    source.Close();

    p.NextOldJieDianID = first_connection_target(p, p.rs, p.NextOldJieDianID);
  }
}

}  // namespace

void copy_privileged_model(PageState& p) {
  auto& conn = p.ctx.conn.as<platform::ado::Connection>();
  conn.BeginTrans();
  try {
    copy_header(p);
    copy_first_node(p);
    copy_chain(p);
  } catch (const vb::VbError&) {
    conn.RollbackTrans();
    throw;
  }
  conn.CommitTrans();
}

}  // namespace page
