// The handling panel: notice, title, result choice, form, document body, opinion,
// distribution, history and attachments, one after the other.
#include "handling/showcontent.h"

#include <string>

#include "handling/history.h"
#include "handling/result_choice.h"
#include "handling/sections.h"
#include "library/escape.h"
#include "library/flags.h"
#include "platform/asp/server.h"

namespace handling {
namespace {

using platform::asp::Response;
using platform::asp::Server;

void write_notice(Response& out) {
  out.write("<table width=\"100%\" border=0 cellspacing=0 cellpadding=4>\r\n");
  out.write(
      "\t<tr id=TBInfor name=TBInfor style=\"display:none\"><td bgcolor=#FFFF99>"
      "您的计算机还没有安装正文控件，不能显示和编辑文档正文。请<a href='#' "
      "onclick=\"return DownLoadFile('../Public/OA_Download.asp?FileName=WebOfficeSetup.exe')\">"
      "下载正文控件</a>，安装后重新打开本页。</td></tr>\r\n");
  out.write("</table>\r\n");
}

void write_title(Response& out, const HandlingView& view) {
  std::string title = "<b>" + Server::HTMLEncode(view.BiaoDanName) + "</b>";
  if (view.LiuChengName != "") title += "（" + Server::HTMLEncode(view.LiuChengName) + "）";
  out.write("<table width=\"100%\" border=0 cellspacing=0 cellpadding=6>\r\n");
  out.write("\t<tr><td align=center class=PanelTitle><font size=3>" + title +
            "</font></td></tr>\r\n");
  if (view.FileTile != "") {
    out.write("\t<tr><td align=center>标题：" + Server::HTMLEncode(view.FileTile) +
              "</td></tr>\r\n");
  }
  out.write("</table>\r\n");
}

void write_document_body(library::PageContext& ctx, const HandlingView& view) {
  Response& out = *ctx.Response;
  if (view.ZhengWenType == "1") {
    open_section(out, "8", "正文");
    out.write("<div id=ZhengWenXinXi name=ZhengWenXinXi>\r\n");
    out.write(
        "<div id=WebOfficeDiv name=WebOfficeDiv style=\"width:100%;height:600px\"></div>\r\n");
    out.write("</div>\r\n");
    out.write("<script language=javascript>\r\n");
    // The control's script writes the address into an attribute of the markup it builds.
    const std::string address = library::html_attribute(ctx.Request->ServerVariables("REMOTE_ADDR"));
    out.write("insertKongJian('WebOfficeDiv', 'WebOffice', '100%', '100%',\"" +
              library::js_string(address) + "\");\r\n");
    out.write("</script>\r\n");
    close_section(out);
  } else if (view.ZhengWenType == "2") {
    open_section(out, "8", "正文");
    out.write("<div id=ZhengWenXinXi name=ZhengWenXinXi>\r\n");
    out.write("<textarea id=ContentHTML name=ContentHTML style=\"display:none\">" +
              library::textarea_text(view.ContentHTML) + "</textarea>\r\n");
    out.write(
        "<iframe id=editor name=editor src=\"editor/myEditor.asp\" width=\"100%\" height=450 "
        "frameborder=0 scrolling=no></iframe>\r\n");
    out.write("</div>\r\n");
    close_section(out);
  }
}

void write_opinion(Response& out, const HandlingView& view) {
  open_plain_section(out, "办理意见");
  out.write(
      "<select id=yiJian name=yiJian onchange=\"return yiJian_onchange()\">"
      "<option value=\"\">--选择常用意见--</option></select><br>\r\n");
  out.write("<textarea id=BanLiYiJian name=BanLiYiJian style=\"width:98%;height:60px\">" +
            library::textarea_text(view.BanLiYiJian) + "</textarea>\r\n");
  close_section(out);
}

void write_distribution(Response& out, const HandlingView& view) {
  if (!(library::flag_set(view.isFenFa) && view.DaiBanBanLiType != "1")) return;
  open_plain_section(out, "分发");
  out.write(
      "分发人员：<img src=\"../include/imagesv10/xb.gif\" border=0 title=\"选择人员\" "
      "style=\"cursor:hand\" onclick=\"vbscript:openWinF '../PowerSelect.asp?FieldValue='& "
      "replace(document.all('FenFaUser').value,';','-')\">"
      "<img src=\"../include/imagesv10/del.gif\" border=0 title=\"清空\" style=\"cursor:hand\" "
      "onclick=\"vbscript:SetEmpty('J')\"><br>\r\n");
  out.write("<textarea id=FenFaUserDis name=FenFaUserDis readonly style=\"width:98%;height:30px\">" +
            library::textarea_text(view.FenFaUserDis) + "</textarea>\r\n");
  out.write("<input type=hidden id=FenFaUser name=FenFaUser value=\"" +
            library::html_attribute(view.FenFaUser) + "\"><br>\r\n");
  out.write(
      "分发部门：<img src=\"../include/imagesv10/xb.gif\" border=0 title=\"选择部门\" "
      "style=\"cursor:hand\" onclick=\"vbscript:openWinC('../include/user/MulSeleDepart.asp')\">"
      "<img src=\"../include/imagesv10/del.gif\" border=0 title=\"清空\" style=\"cursor:hand\" "
      "onclick=\"vbscript:SetEmpty('K')\"><br>\r\n");
  out.write(
      "<textarea id=FenFaBuMenDis name=FenFaBuMenDis readonly style=\"width:98%;height:30px\">" +
      library::textarea_text(view.FenFaBuMenDis) + "</textarea>\r\n");
  out.write("<input type=hidden id=FenFaBuMen name=FenFaBuMen value=\"" +
            library::html_attribute(view.FenFaBuMen) + "\">\r\n");
  close_section(out);
}

}  // namespace

void showcontent(library::PageContext& ctx, const HandlingView& view) {
  ctx.routine("showcontent", [&] {
    Response& out = *ctx.Response;
    write_notice(out);
    write_title(out, view);
    write_result_choice(ctx, view);
    open_section(out, "1", "表单内容");
    out.write(view.BiaoDanHTML);
    out.write("\r\n");
    close_section(out);
    write_document_body(ctx, view);
    write_opinion(out, view);
    write_distribution(out, view);
    write_history(ctx, view);
    write_attachments(ctx, view);
  });
}

}  // namespace handling
