// The node's document switches and remark blocks, the model's name and the document addresses.
#include "page/scripts/node_options.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "library/escape.h"
#include "library/flags.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "page/scripts/remark_blocks.h"
#include "page/work_recordset.h"
#include "platform/asp/session.h"
#include "vb/builtins.h"

namespace page {
namespace {

vb::Variant true_false(const vb::Variant& column) {
  return library::flag_set(column) ? "true" : "false";
}

void read_document_switches(PageState& p) {
  if (p.JieDianID == "") {
    const std::pair<vb::Variant*, const char*> defaults[] = {{&p.isImportWord, "true"},
                                                             {&p.isTaoHong, "false"},
                                                             {&p.isQianMing, "false"},
                                                             {&p.isYinZhang, "false"},
                                                             {&p.isWordProtect, "false"},
                                                             {&p.isYanZhengQianMing, "false"},
                                                             {&p.isZuiZhongWenDang, "false"},
                                                             {&p.isChaKanHenJi, "false"},
                                                             {&p.isChaKanYuanWenDang, "true"},
                                                             {&p.isXiuDingJiLu, "true"},
                                                             {&p.IsPrint, "true"},
                                                             {&p.isLocalSave, "true"},
                                                             {&p.IsRecMark, "true"},
                                                             {&p.isHistory, "true"}};
    for (const auto& [variable, value] : defaults) *variable = value;
    return;
  }

  auto& rs = open_query(
      p, p.rs, p.ctx.sql,
      "Select * from OA_Flow_Model_JieDian where OAID='" + library::sql_text(p.JieDianID) + "'");
  if (rs.RecordCount() > 0) {
    p.isFirst = rs("isFirst");
    p.isTaoHong = true_false(rs("isTaoHong"));
    p.isImportWord = true_false(rs("isImportWord"));
    p.isQianMing = true_false(rs("isQianMing"));
    p.isYinZhang = true_false(rs("isYinZhang"));
    p.isChaKanHenJi = true_false(rs("isChaKanHenJi"));
    p.isXiuDingJiLu = true_false(rs("isXiuDingJiLu"));
    p.IsRecMark = true_false(rs("IsRecMark"));
    // A protected node leaves the final-version and original-version switches as they were.
    if (library::flag_set(rs("isWordProtect"))) {
      p.isWordProtect = "true";
    } else {
      p.isZuiZhongWenDang = "true";
      p.isChaKanYuanWenDang = "true";
      p.isWordProtect = "false";
    }
    p.isYanZhengQianMing = true_false(rs("isYanZhengQianMing"));
    p.IsPrint = true_false(rs("IsPrint"));
    p.isLocalSave = true_false(rs("isLocalSave"));
  }
  p.isHistory = "true";
  p.JieDianRemark = rs("Remark");
  rs.Close();
}

void take_remark_blocks(PageState& p) {
  auto& Session = *p.ctx.Session;
  const vb::Variant CR = vb::Chr(13), LF = vb::Chr(10);

  p.RemarkVB = remark_block(p.JieDianRemark, "VB");
  p.RemarkVB = vb::Replace(p.RemarkVB, CR, CR & LF);

  p.RemarkPRE = remark_block(p.JieDianRemark, "PRE");
  p.RemarkPRE = vb::Replace(vb::Replace(p.RemarkPRE, CR, ""), LF, "");
  Session["PREExecuteString"] = "";

  p.RemarkPASP = remark_block(p.JieDianRemark, "PASP");
  if (p.RemarkPASP != "") Session["PREExecuteString"] = p.RemarkPASP;
}

void refresh_model(PageState& p) {
  if (p.LiuChengID == "") return;
  p.isSystem =
      library::getidfromid(p.ctx, "OA_Flow_Model_Header", "isSystem", "OAID", p.LiuChengID);
  // "0", "1" and "2" give the kind as a number; any other text leaves it as it was.
  for (int kind : {0, 1, 2}) {
    if (p.isSystem == std::to_string(kind)) p.LiuChengType = kind;
  }
  p.LiuChengName =
      library::getnamefromid(p.ctx, "OA_Flow_Model_Header", "Name", "OAID", p.LiuChengID);
}

vb::Variant two_digits(const vb::Variant& n) { return vb::Right(vb::Variant("0") & n, 2); }

void set_document_addresses(PageState& p) {
  const auto& Session = *p.ctx.Session;
  const vb::Variant SystemURL = Session.get("SystemURL");
  const vb::Variant UserName = Session.get("UserName");
  const vb::Variant now = p.ctx.Now();
  const vb::Variant year = vb::Year(now), month = two_digits(vb::Month(now)),
                    day = two_digits(vb::Day(now)), hour = two_digits(vb::Hour(now)),
                    minute = two_digits(vb::Minute(now)), second = two_digits(vb::Second(now));

  p.WordServerOpenURL = SystemURL & "Word/WordServerOpen.asp";
  p.WordServerSaveURL = SystemURL & "Word/WordServerSave.asp";
  // The record id has no hour: the login name and twelve digits.
  if (vb::IsNull(p.RecordID) || p.RecordID == "") {
    p.RecordID = UserName & year & month & day & minute & second;
  }
  if (vb::IsNull(p.isNewFile) || p.isNewFile == "") p.isNewFile = "TRUE";
  p.tempFullScreenFile = UserName & year & month & day & hour & minute & second & ".doc";
  p.isFullScreen = "false";
  p.TureName = Session.get("TureName");
  p.ocxFullScreenURL = SystemURL & "word/ocxFullScreen.asp";
  p.ocxTaoHongURL = SystemURL & "word/ocxTaoHong.asp";
  p.ocxDocVersionURL =
      SystemURL & "word/ocxDocVersion.asp?RecordID=" & library::url_value(p.RecordID);
}

}  // namespace

void set_node_options(PageState& p) {
  auto& Session = *p.ctx.Session;
  Session["CurrentJieDianID"] =
      vb::Variant("*") & (p.CurrentJieDianIDs != "" ? p.CurrentJieDianIDs : p.JieDianID) & "*";
  read_document_switches(p);
  take_remark_blocks(p);
  if (vb::IsNull(p.FileID)) p.FileID = "";
  refresh_model(p);
  Session["CurrentLiuchengID"] = p.LiuChengID;
  if (p.ZhengWenType == "1") set_document_addresses(p);
}

}  // namespace page
