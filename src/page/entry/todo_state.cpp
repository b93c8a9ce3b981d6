// The user's to-do state, the node's switches and the removal of the user's notices.
#include "page/entry/todo_state.h"

#include <string>

#include "library/flags.h"
#include "library/sql_guard.h"
#include "page/work_recordset.h"
#include "platform/ado/connection.h"
#include "platform/asp/request.h"
#include "platform/asp/session.h"
#include "vb/builtins.h"

namespace page {
namespace {

void zero_when_blank(vb::Variant& v) {
  if (vb::IsEmpty(v) || vb::IsNull(v) || v == "") v = "0";
}

// Turns a switch off unless it is "1"; says whether it is on.
bool switch_on(vb::Variant& v) {
  if (!library::flag_set(v)) {
    v = "0";
    return false;
  }
  return true;
}

void read_todo_entries(PageState& p, const vb::Variant& U) {
  using library::sql_text;
  const std::string start = "Select * from  OA_DaiBan_LiuCheng where BiaoDanID='" +
                            sql_text(p.BiaoDanID) + "' and BiaoDanRecordID='" +
                            sql_text(p.BiaoDanRecordID) + "'   and JieDianID='" +
                            sql_text(p.JieDianID);

  auto& sent = open_query(p, p.rs, p.ctx.sql,
                          start + "' and SendUser='" + sql_text(U) + "' and  BanLiType='1'");
  if (sent.RecordCount() > 0) p.isSendGouTong = true;
  sent.Close();

  auto& ordinary = open_query(p, p.rs, p.ctx.sql,
                              start + "' and BanLiRen='" + sql_text(U) + "' and  BanLiType<>'1'");
  if (!(ordinary.RecordCount() > 0)) p.isGouTongOnly = true;
  ordinary.Close();

  if (p.isGouTongOnly.truthy()) {
    auto& own = open_query(p, p.rs, p.ctx.sql, start + "' and BanLiRen='" + sql_text(U) + "'");
    if (own.RecordCount() > 0) {
      p.DaiBanBanLiType = own("BanLiType");
      p.SendUser = own("SendUser");
    }
    own.Close();
  }
}

}  // namespace

void load_todo_state(PageState& p) {
  const auto& Request = *p.ctx.Request;
  const vb::Variant U = p.ctx.Session->get("UserName");

  p.isGouTongOnly = false;
  p.isSendGouTong = false;
  if (Request("BiaoDanID") != "" && Request("BiaoDanRecordID") != "" &&
      Request("JieDianID") != "") {
    read_todo_entries(p, U);
  }
  zero_when_blank(p.DaiBanBanLiType);
  zero_when_blank(p.SendUser);

  p.isShowChoice = false;
  for (vb::Variant* flag :
       {&p.iszhuanban, &p.isgoutong, &p.isFenFa, &p.isFeiQi, &p.isBoHui, &p.isRen}) {
    zero_when_blank(*flag);
  }
  if (switch_on(p.iszhuanban)) p.isShowChoice = true;
  if (switch_on(p.isgoutong)) p.isShowChoice = true;
  switch_on(p.isFenFa);
  switch_on(p.isFeiQi);
  if (switch_on(p.isBoHui)) p.isShowChoice = true;

  if (p.isFirstJieDian.truthy()) {
    for (vb::Variant* flag : {&p.isFenFa, &p.isFeiQi, &p.iszhuanban, &p.isgoutong, &p.isBoHui}) {
      *flag = "0";
    }
    p.isShowChoice = false;
  }

  // A new flow has no record key yet: the delete would remove the user's notices of the form
  // with an empty record key, which belong to other mail, not to this record.
  if (p.BiaoDanRecordID != "") {
    p.ctx.sql = "Delete OA_MSG where ID1='" + library::sql_text(p.BiaoDanID) + "' and ID2='" +
                library::sql_text(p.BiaoDanRecordID) + "'   and username='" + library::sql_text(U) +
                "'";
    p.ctx.conn.as<platform::ado::Connection>().Execute(p.ctx.sql);
  }

  p.BookMarkNames = vb::Array(1);
  p.BookMarkValues = vb::Array(1);
}

}  // namespace page
