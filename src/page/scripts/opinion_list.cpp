// The common-opinion list and its copy into the opinion box, the look-up dialog of query fields,
// the download link and the collapsible blocks of the handling panel.
#include <string_view>

#include "library/dictionary_lists.h"
#include "page/scripts/closing_scripts.h"
#include "page/scripts/script_lines.h"

namespace page {
namespace {

// The copy runs only where the panel shows an opinion list and the dictionary gave a list (a
// missing category leaves FormZiDian without elements).
constexpr std::string_view kOpinionCopy[] = {
    "<SCript language=vbscript>",
    "Function HasThisElement(ID)",
    "\tDim iElement",
    "\tHasThisElement = False",
    "\tFor iElement = 1 To document.webform.elements.length - 1",
    "\t\tIf document.webform.elements(iElement).name = ID Then",
    "\t\t\tHasThisElement = True",
    "\t\t\tExit Function",
    "\t\tEnd If",
    "\tNext",
    "End Function",
    "If HasThisElement(\"yiJian\") And document.FormZiDian.elements.length > 0 Then",
    "\tFor iCommonOpinion = 0 To document.FormZiDian.CYYJZiDian.options.length - 1",
    "\t\tSet oCommonOpinion = document.createElement(\"OPTION\")",
    "\t\toCommonOpinion.value = document.FormZiDian.CYYJZiDian.options(iCommonOpinion).value",
    "\t\toCommonOpinion.text = document.FormZiDian.CYYJZiDian.options(iCommonOpinion).text",
    "\t\tdocument.webform.yiJian.options.add oCommonOpinion",
    "\tNext",
    "End If",
    "</script>",
};

constexpr std::string_view kLookupAndToggles[] = {
    "<script language=javascript>",
    "function myChaXun(FID,isHTML){",
    "\tvar span = document.getElementById(\"SPAN\" + FID);",
    "\tvar kong = span.innerHTML == \"\" ? \"1\" : \"0\";",
    "\tvar ret = window.showModalDialog(\"../include/ChaXun.asp?FID=\" + FID + \"&kong=\" + kong, "
    "\"\", \"dialogWidth:650px;status:no;status:no;dialogHeight:450px;scroll:no;\");",
    "\tif (!ret || !ret.parm) return;",
    "\tvar parm = ret.parm.replace(/&nbsp;/g, \"\");",
    "\tif (isHTML == 1) {",
    "\t\tspan.innerHTML = ret.tihuan ? parm : span.innerHTML.replace(/<\\/table>/gi, \"\") + parm;",
    "\t}",
    "\tvar form = document.forms[\"webform\"];",
    "\tvar text = form.elements[\"zd\" + FID];",
    "\ttext.value = ret.tihuan ? parm : text.value.replace(/<\\/table>/gi, \"\") + parm;",
    "\tvar keys = form.elements[\"zd\" + FID + \"value\"];",
    "\tkeys.value = ret.tihuan ? ret.svalue : keys.value + \",\" + ret.svalue;",
    "}",
    "function DownLoadFile(URL){",
    "\twindow.location.href = URL;",
    "\treturn false;",
    "}",
    "function ChangeDis(KEID){",
    "\tvar block = document.getElementById(\"Status\" + KEID);",
    "\tvar icon = document.getElementById(\"img\" + KEID);",
    "\tif (block.style.display == \"none\") {",
    "\t\ticon.src = \"../images/up.gif\";",
    "\t\tblock.style.display = \"\";",
    "\t} else {",
    "\t\ticon.src = \"../images/down.gif\";",
    "\t\tblock.style.display = \"none\";",
    "\t}",
    "}",
    "</script>",
};

}  // namespace

void write_opinion_list(PageState& p) {
  platform::asp::Response& out = *p.ctx.Response;
  out.write(
      "<form id=\"FormZiDian\" name=\"FormZiDian\" method=\"POST\" action=\"\" "
      "style=\"display:none\">\r\n");
  vb::Variant category = "常用意见", list_name = "CYYJZiDian", selected = "", by_name = 1,
              css_class = "-1";
  out.write(library::getmetaex(p.ctx, category, list_name, selected, by_name, css_class));
  out.write("</FORM>\r\n");
  write_script_lines(out, kOpinionCopy);
  write_script_lines(out, kLookupAndToggles);
}

}  // namespace page
