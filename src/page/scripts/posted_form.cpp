// The visible page around the page frame, and the posted form webform.
#include "page/scripts/posted_form.h"

#include <string>
#include <utility>

#include "frames/funshowflow.h"
#include "library/escape.h"
#include "platform/asp/response.h"
#include "platform/asp/session.h"

namespace page {
namespace {

void write_body_tag(PageState& p, platform::asp::Response& out) {
  out.write("<body leftmargin=0 topmargin=0 rightmargin=0 bottommargin=0 onload='javascript:");
  if (p.ZhengWenType == "1") out.write("Load();");
  out.write(
      "window.moveTo(0,0);&#13;window.resizeTo(screen.availWidth,screen.availHeight);&#13; ' "
      "onbeforeunload=isWindowClose(); bgcolor=#c0c0c0 onbeforeprint=\"return "
      "window_onbeforeprint()\" onafterprint=\"return window_onafterprint()\" >\r\n");
}

// The node's document options, read by the full-screen document dialog from the page's window.
void write_full_screen_parameters(PageState& p, platform::asp::Response& out) {
  const auto& Session = *p.ctx.Session;
  const std::pair<const char*, vb::Variant> inputs[] = {
      {"isLocalSave", p.isLocalSave},
      {"isTaoHong", p.isTaoHong},
      {"isImportWord", p.isImportWord},
      {"isQianMing", p.isQianMing},
      {"isYinZhang", p.isYinZhang},
      {"isYanZhengQianMing", p.isYanZhengQianMing},
      {"isZuiZhongWenDang", p.isZuiZhongWenDang},
      {"isChaKanHenJi", p.isChaKanHenJi},
      {"isChaKanYuanWenDang", p.isChaKanYuanWenDang},
      {"isXiuDingJiLu", p.isXiuDingJiLu},
      {"IsPrint", p.IsPrint},
      {"IsRecMark", p.IsRecMark},
      {"isNewFile", p.isNewFile},
      {"isWordProtect", p.isWordProtect},
      {"isFullScreen", p.isFullScreen},
      {"UserName", Session.get("TureName")},
      {"UserID", Session.get("UserName")},
      {"RecordID", p.RecordID},
      {"isHistory", p.isHistory},
      {"tempFullScreenFile", p.tempFullScreenFile},
  };
  out.write("\t<Form name=\"FullScreenParm\" method=\"post\">\r\n");
  for (const auto& [name, value] : inputs) {
    out.write(std::string("\t\t<input type=hidden name=") + name + " value=\"");
    out.write(library::html_attribute(value));
    out.write("\">\r\n");
  }
  out.write("\t</Form>\r\n");
  out.write("\t");
}

void write_loading_notice(platform::asp::Response& out) {
  out.write("<DIV id=waitWindow \r\n");
  out.write(
      "style=\"BORDER-RIGHT: #333333 1px solid; BORDER-TOP: #333333 1px solid; Z-INDEX: 1; "
      "BACKGROUND: #f2f8ff; FILTER: progid:DXImageTransform.Microsoft.dropShadow( Color=#b4b4b4, "
      "offX=2,offY=2,); LEFT: 350px; OVERFLOW: auto; BORDER-LEFT: #333333 1px solid; WIDTH: "
      "180px; BORDER-BOTTOM: #333333 1px solid; POSITION: absolute; TOP: 200px; HEIGHT: 35px; "
      "TEXT-ALIGN: center\">\r\n");
  out.write("<P style=\"MARGIN-TOP: 6px\"><font size=2>正在加载数据,请稍等......</font></p>");
  out.write("</DIV>\r\n");
}

void write_hidden_fields(PageState& p, platform::asp::Response& out) {
  out.write("\t<INPUT type=\"hidden\" id=isContinue name=isContinue value=\"\">\r\n");
  out.write("\t<INPUT type=\"hidden\" id=OP name=OP value=\"\">\r\n");
  const std::pair<const char*, const vb::Variant*> keyed[] = {
      {"EditFiledsList", &p.EditFields},     {"JieDianID", &p.JieDianID},
      {"LiuChengID", &p.LiuChengID},         {"BiaoDanRecordID", &p.BiaoDanRecordID},
      {"BiaoDanID", &p.BiaoDanID},           {"BanLiID", &p.BanLiID},
      {"CurrentOperate", &p.CurrentOperate}, {"ZhengWenType", &p.ZhengWenType},
      {"BanLiType", &p.BanLiType},
  };
  for (const auto& [name, value] : keyed) {
    out.write(std::string("\t<INPUT type=\"hidden\" id=") + name + " name=" + name + " value=\"");
    out.write(library::html_attribute(*value));
    out.write("\">\r\n");
  }
  for (const auto& [name, value] : {std::pair{"RecordID", &p.RecordID}, {"FileID", &p.FileID}}) {
    out.write(std::string("\t<input type=hidden name=") + name + " value=\"");
    out.write(library::html_attribute(*value));
    out.write("\">\r\n");
  }
}

constexpr const char* kAfterFrameLines[] = {
    "<script language=vbscript>",
    "\twaitWindow.style.display =\"none\"",
    "</script>",
    "<script language=javascript>",
    "function openZiDian(elementid,FieldNameDis,canedit,FieldIsDuoXuan){",
    // Each argument as one query value: its ASCII marks percent-encoded here, and the rest by
    // the browser in the page's own code page, the one the dialog decodes.
    "\tfunction part(v){",
    "\t\tvar a=document.createElement(\"a\");",
    "\t\ta.href=\"?\"+String(v).replace(/[^0-9A-Za-z\\-._~\\u0080-\\uFFFF]/g,function(c){"
    "var h=c.charCodeAt(0).toString(16).toUpperCase();return (h.length<2?\"%0\":\"%\")+h;});",
    "\t\treturn a.search.substring(1);",
    "\t}",
    "\tvar url=\"../include/zidian/selectZiDian.asp?ZiDian=\"+part(FieldNameDis)+\"&canedit=\"+"
    "part(canedit)+\"&isMul=\"+part(FieldIsDuoXuan);",
    "\tvar ret=window.showModalDialog(url,\"\",\"dialogWidth:350px;status:no;status:no;"
    "dialogHeight:400px\");",
    "\tif(ret && ret.type){",
    "\t\tdocument.forms[\"webform\"].elements[elementid].value=ret.value;",
    "\t}",
    "}",
    "</script>",
};

}  // namespace

void write_posted_form(PageState& p, frames::PageCallbacks& page) {
  auto& out = *p.ctx.Response;
  write_body_tag(p, out);
  if (p.ZhengWenType == "1") write_full_screen_parameters(p, out);
  write_loading_notice(out);
  p.PopWindowBgColor = "#c0c0c0";

  out.write(
      "<form action=\"BiaoDanTianXieDo.asp\" method=\"post\" name=\"webform\" "
      "enctype=\"multipart/form-data\" >\r\n");
  write_hidden_fields(p, out);
  out.write("\t");
  vb::Variant title = "工作流管理", caption = "流程办理", showSearch = false, fourth = false;
  frames::funshowflow(p.ctx, title, caption, showSearch, fourth, page);
  out.write("</form>\r\n");
  out.write(" ");
  for (const char* line : kAfterFrameLines) {
    out.write(line);
    out.write("\r\n");
  }
}

}  // namespace page
