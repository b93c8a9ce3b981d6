// The document-control scripts: event handlers, bookmarks, loading and saving.
#include "page/scripts/document_script.h"

#include <string>
#include <string_view>

#include "library/escape.h"
#include "library/flags.h"
#include "page/scripts/script_lines.h"
#include "platform/asp/response.h"
#include "platform/asp/session.h"
#include "vb/builtins.h"

namespace page {
namespace {

using library::vbs_string;
using platform::asp::Response;

constexpr std::string_view kEventHandlersJS[] = {
    "<script language=javascript>",
    "//保存内容完成",
    "function OCX_SAVE_OKJS(parm){}",
    "//打开全屏",
    "function OCX_FULLSCREEN_OPENEDJS(){}",
    "//套红",
    "function OCX_TAOHONGJS(){}",
    "function OCX_TAOHONG_AUTOJS(FileName){}",
    "//历史版本",
    "function OCX_DOCVERSIONJS(){}",
    "</script>",
};

void write_lines(Response& out, std::initializer_list<std::string> lines) {
  for (const std::string& line : lines) out.write(line + "\r\n");
}

// `webform.WebOffice.<property>="<value>"`, the value escaped for a VBScript string.
std::string property(std::string_view name, const vb::Variant& value) {
  return "\twebform.WebOffice." + std::string(name) + "=\"" + vbs_string(value) + "\"";
}

void write_handlers(Response& out, const PageState& p) {
  write_lines(out, {"<script language=vbscript>", "dim ToNext", "ToNext=\"1\"", "'保存内容完成",
                    "function OCX_SAVE_OKVS(parm)", "\tif parm=\"0\" then",
                    "\t\tmsgbox \"文件正文保存失败！\"", "\telse",
                    "\t\tif webform.FileID.value=\"\" and ToNext=\"0\" then",
                    "\t\t\twebform.FileID.value=parm", "\t\tend if", "\t\twebform.submit()",
                    "\tend if", "end function"});
  write_lines(out, {"'打开全屏", "function OCX_FULLSCREEN_OPENEDVS()", "\tdim k",
                    "\tk=window.showModalDialog(\"" + vbs_string(p.ocxFullScreenURL) +
                        "\",window,\"status:no;scroll:no;resizable:yes;center:yes;dialogLeft:0;"
                        "dialogTop:0;status:no;dialogHeight:\" & screen.availHeight &\"px;"
                        "dialogWidth:\" & screen.availWidth &\"px;\")",
                    "\tif k=\"OK\" then", "\t\twebform.WebOffice.DocOpenForFullScreen", "\tend if",
                    "end function"});
  write_lines(
      out, {"'套红", "function OCX_TAOHONGVS()", "\tdim k",
            "\tk=window.showModalDialog(\"" + vbs_string(p.ocxTaoHongURL) +
                "\",\"\",\"status:no;scroll:no;resizable:yes;center:yes;status:no;"
                "dialogHeight:400px;dialogWidth:400px;\")",
            "\tif k<>\"\" then", "\t\twebform.WebOffice.DOCTaoHong k", "\tend if", "end function"});
}

void write_bookmarks(Response& out, const PageState& p) {
  write_lines(out, {"function OCX_TAOHONG_AUTOVS(FileName)",
                    "\twebform.WebOffice.WordOBJ.Application.Selection.InsertFile "
                    "FileName,\"\",False,False,False"});
  const long last = vb::UBound(p.BookMarkNames);
  for (long i = 1; i <= last; ++i) {
    const std::string name = vbs_string(p.BookMarkNames[i]);
    const std::string bookmark =
        "webform.WebOffice.WordOBJ.application.activedocument.bookmarks.item(\"" + name + "\")";
    write_lines(out, {"\tIF webform.WebOffice.WordOBJ.application.ActiveDocument.Bookmarks."
                      "Exists(\"" +
                          name + "\") then",
                      "\t\t" + bookmark + ".select '定位书签name",
                      "\t\twebform.WebOffice.WordOBJ.application.selection.typetext \"" +
                          vbs_string(i <= vb::UBound(p.BookMarkValues) ? p.BookMarkValues[i]
                                                                       : vb::Variant()) +
                          "\" '插入值",
                      "\t\t" + bookmark + ".Delete", "\tend if"});
  }
  out.write("end function\r\n");
}

void write_versions(Response& out, const PageState& p) {
  write_lines(out, {"'历史版本", "function OCX_DOCVERSIONVS()", "\tdim k",
                    "\tk=window.showModalDialog(\"" + vbs_string(p.ocxDocVersionURL) +
                        "\",\"\",\"status:no;scroll:no;resizable:yes;center:yes;status:no;"
                        "dialogHeight:420px;dialogWidth:480px;\")",
                    "\tif k<>\"\" then", "\t\twebform.WebOffice.OPTION=\"LOADVERSION\"",
                    "\t\twebform.WebOffice.PARMLIST=k", "\t\twebform.WebOffice.DOCOpen()",
                    "\tend if", "end function"});
}

void write_load(Response& out, PageState& p) {
  const vb::Variant UserName = p.ctx.Session->get("UserName");
  p.isNewFlow = p.CurrentOperate == "新建流程";
  out.write("function Load()\r\n");
  write_lines(out, {property("WebUrl", p.WordServerOpenURL), property("RecordID", p.RecordID),
                    property("PARMLIST", p.FileID),
                    property("OPTION", p.FileID != "" ? "LOADVERSION" : "LOADFILE")});
  if (p.isNewFlow == true && library::flag_set(p.isJiaZai)) {
    write_lines(out, {property("OPTION", "LOADMOBAN")});
  }
  write_lines(out, {property("isNewFile", p.isNewFile),
                    property("PARMLIST", p.BiaoDanID),
                    property("isLocalSave", p.isLocalSave),
                    property("isWordProtect", p.isWordProtect),
                    property("isTaoHong", p.isTaoHong),
                    property("isQianMing", p.isQianMing),
                    property("isYinZhang", p.isYinZhang),
                    property("isYanZhengQianMing", p.isYanZhengQianMing),
                    property("isZuiZhongWenDang", "true"),
                    property("isChaKanHenJi", p.isChaKanHenJi),
                    property("isChaKanYuanWenDang", "true"),
                    property("isXiuDingJiLu", p.isXiuDingJiLu),
                    property("IsPrint", p.IsPrint),
                    property("UserID", UserName),
                    property("UserName", p.TureName),
                    property("tempFullScreenFile", p.tempFullScreenFile),
                    property("IsRecMark", p.IsRecMark),
                    property("isImportWord", p.isImportWord),
                    property("isFullScreen", p.isFullScreen),
                    property("isHistory", p.isHistory),
                    "\twebform.WebOffice.DOCOpen()",
                    "end function"});
}

void write_saves(Response& out, const PageState& p) {
  write_lines(out,
              {"function SaveDocumentDB()", property("WebUrl", p.WordServerSaveURL),
               property("OPTION", "SAVEFILE"), property("RecordID", p.RecordID),
               "\twebform.WebOffice.DocSave()", "end function", "function SaveDocumentZanCun()",
               property("WebUrl", p.WordServerSaveURL), property("OPTION", "SAVEZANCUN"),
               "\twebform.WebOffice.DocSave()", "end function", "</script>"});
}

}  // namespace

void write_document_script(PageState& p) {
  if (p.ZhengWenType != "1") return;
  Response& out = *p.ctx.Response;
  write_script_lines(out, kEventHandlersJS);
  write_handlers(out, p);
  write_bookmarks(out, p);
  write_versions(out, p);
  write_load(out, p);
  write_saves(out, p);
}

}  // namespace page
