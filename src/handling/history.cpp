// The handling history from the form's step table, and the current step's attachments.
#include "handling/history.h"

#include <string>

#include "handling/rows.h"
#include "handling/sections.h"
#include "library/download_address.h"
#include "library/escape.h"
#include "library/formatting.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "platform/ado/recordset.h"
#include "platform/asp/server.h"
#include "vb/builtins.h"

namespace handling {
namespace {

using platform::asp::Server;

// The step table holds only the node's key: its name is the node's current one.
vb::Variant node_name(library::PageContext& ctx, platform::ado::Recordset& step) {
  return Server::HTMLEncode(library::getnamefromid(ctx, "OA_Flow_Model_JieDian", "JieDianName",
                                                   "OAID", step("JieDianID")));
}

}  // namespace

void write_history(library::PageContext& ctx, const HandlingView& view) {
  platform::asp::Response& out = *ctx.Response;
  open_section(out, "3", "办理记录");
  out.write("<div id=YiJianLieBiao name=YiJianLieBiao>\r\n");
  out.write(
      "<table width=\"100%\" border=1 cellspacing=0 cellpadding=3 bordercolor=#cccccc "
      "style=\"border-collapse:collapse\">\r\n");
  out.write(
      "\t<tr align=center><td width=40>序号</td><td width=120>办理节点</td><td "
      "width=80>办理人</td><td width=130>办理时间</td><td>办理意见</td></tr>\r\n");
  if (view.BiaoDanRecordID != "") {
    auto rs = open_rows(ctx, "select * from OA_FLOW_" + library::sql_int(view.BiaoDanID) +
                                 "_BanLi where BiaoDanRecordID='" +
                                 library::sql_text(view.BiaoDanRecordID) + "' order by OAID");
    for (long i = 1, count = rs->RecordCount(); i <= count; ++i, rs->MoveNext()) {
      vb::Variant opinion = (*rs)("BanLiYiJian");
      const vb::Variant who = library::showusername(ctx, (*rs)("BanLiRen"));
      out.write(vb::Variant("\t<tr><td align=center>") & vb::Variant(i) & "</td><td>" &
                node_name(ctx, *rs) & "</td><td>" & Server::HTMLEncode(who) & "</td><td>" &
                Server::HTMLEncode(
                    library::lwformatdatetime(ctx, (*rs)("BanLiShiJian"), "yyyy-mm-dd hh:nn")) &
                "</td><td>" & library::displaytext(ctx, opinion) & "</td></tr>\r\n");
    }
    rs->Close();
  }
  out.write("</table>\r\n</div>\r\n");
  close_section(out);
}

void write_attachments(library::PageContext& ctx, const HandlingView& view) {
  platform::asp::Response& out = *ctx.Response;
  open_section(out, "2", "附件");
  out.write("<table width=\"100%\" border=0 cellspacing=0 cellpadding=2>\r\n");
  if (view.BanLiID != "") {
    auto rs = open_rows(ctx, "select * from OA_Flow_FuJian where BiaoDanID='" +
                                 library::sql_text(view.BiaoDanID) + "' and BiaoDanRecordID='" +
                                 library::sql_text(view.BiaoDanRecordID) +
                                 "' and BanLiID=" + library::sql_int(view.BanLiID) +
                                 " and (FieldID='' or FieldID is null) order by OAID");
    for (long n = 1, count = rs->RecordCount(); n <= count; ++n, rs->MoveNext()) {
      const std::string number = std::to_string(n);
      const std::string key = library::html_attribute((*rs)("OAID"));
      const vb::Variant caption = (*rs)("ShuoMing1");
      std::string row = "\t<tr><td><input type=checkbox id=DelAttach" + number + " name=DelAttach" +
                        number + " value=\"1\">删除&nbsp;附件" + number +
                        "：<a href='#' oncontextmenu='javascript:return(false);' "
                        "onclick=\"return DownLoadFile('" +
                        library::attachment_download_address((*rs)("OAID")) + "')\">" +
                        Server::HTMLEncode((*rs)("FileName")) + "</a>";
      if (!vb::IsNull(caption) && caption != "") {
        row += "（" + Server::HTMLEncode(caption) + "）";
      }
      row += "<input type=hidden id=AttachOAID" + number + " name=AttachOAID" + number +
             " value=\"" + key + "\"></td></tr>\r\n";
      out.write(row);
    }
    rs->Close();
  }
  out.write("\t<tr><td id=bottomFJ></td></tr>\r\n");
  out.write(
      "\t<tr><td><input type=button id=Addatt name=Addatt value=\"新增附件\" "
      "onclick=\"vbscript:AddAttach()\"></td></tr>\r\n");
  out.write("</table>\r\n");
  close_section(out);
}

}  // namespace handling
