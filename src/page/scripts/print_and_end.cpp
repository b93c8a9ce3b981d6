// The end of the page: printing chosen parts in the browser or as a document, the one-user
// picker, the handlers of the handling-result choice, and the print form.
#include <string>
#include <string_view>

#include "library/escape.h"
#include "page/scripts/closing_scripts.h"
#include "page/scripts/script_lines.h"

namespace page {
namespace {

// A print started from the browser's menu before any choice prints the page as it stands.
constexpr std::string_view kPrintHandlers[] = {
    "<script id=clientEventHandlersJS language=javascript>",
    "<!--",
    "var TotalHTML;",
    "var printHTML;",
    "function window_onbeforeprint(){",
    "\tif (typeof printHTML == \"undefined\") {",
    "\t\tTotalHTML = null;",
    "\t\treturn;",
    "\t}",
    "\tTotalHTML = document.body.outerHTML;",
    "\tdocument.body.innerHTML = printHTML;",
    "}",
    "function window_onafterprint(){",
    "\tif (TotalHTML != null) document.body.innerHTML = TotalHTML;",
    "}",
    "function PrintPage(){",
    "\twindow.print();",
    "}",
    "//-->",
    "</script>",
    "<script language=javascript>",
    "function DaYinWord(){",
    "\tvar flags = \"?JiBenXinXi=\" + (javaHasElement(\"JiBenXinXi\") ? 1 : 0) + "
    "\"&ZhengWenXinXi=\" + (javaHasElement(\"ZhengWenXinXi\") ? 1 : 0) + \"&YiJianLieBiao=\" + "
    "(javaHasElement(\"YiJianLieBiao\") ? 1 : 0);",
    "\tvar ret = window.showModalDialog(\"PrintOptions.asp\" + flags, \"\", "
    "\"dialogWidth:250px;status:no;status:no;dialogHeight:250px;scroll:no\");",
    "\tif (!ret || !ret.type) return;",
    "\tvar parts = [[\"JiBenXinXi\", ret.One], [\"ZhengWenXinXi\", ret.Two], [\"YiJianLieBiao\", "
    "ret.Three], [\"FenFaLieBiao\", ret.Four]];",
    "\tvar text = \"\";",
    "\tfor (var i = 0; i < parts.length; i++) {",
    "\t\tvar part = elementByName(parts[i][0]);",
    "\t\tif (parts[i][1] == 1 && part != null) text += part.innerHTML + \"<br>\";",
    "\t}",
    "\tif (ret.pr == \"0\") {",
    "\t\tprintHTML = text;",
    "\t\tPrintPage();",
    "\t} else {",
    "\t\tdocument.forms[\"bdprint\"].elements[\"printhtml\"].value = text;",
    "\t\tdocument.forms[\"bdprint\"].submit();",
    "\t}",
    "}",
    "function elementByName(ID){",
    "\tvar all = document.all || document.getElementsByTagName(\"*\");",
    "\tfor (var i = 0; i < all.length; i++) {",
    "\t\tif (all[i].getAttribute && all[i].getAttribute(\"name\") == ID) return all[i];",
    "\t}",
    "\treturn null;",
    "}",
    "function javaHasElement(ID){",
    "\treturn elementByName(ID) != null;",
    "}",
    "if (javaHasElement(\"myFlowTable\")) TianChongSpace(\"myFlowTable\");",
    "</script>",
};

constexpr std::string_view kUserPickerAndDisplayText[] = {
    "<script language=vbscript>",
    "Function mySlectUser(ele)",
    "\tDim retUser, arrUser",
    "\tretUser = window.showModalDialog(\"../include/user/UserSelectOne.asp\", \"\", "
    "\"dialogWidth:350px;status:no;status:no;dialogHeight:450px;scroll:no\")",
    "\tIf InStr(retUser & \"\", \"#\") > 0 Then",
    "\t\tarrUser = Split(retUser, \"#\")",
    "\t\tdocument.webform.elements(ele).value = arrUser(1)",
    "\tEnd If",
    "End Function",
    "Function DisplayText(strParm)",
    "\tIf strParm = \"\" Then",
    "\t\tDisplayText = strParm",
    "\t\tExit Function",
    "\tEnd If",
    "\tstrParm = Replace(strParm, Chr(13), \"<br>\")",
    "\tstrParm = Replace(strParm, \" \", \"&nbsp;\")",
    "\tstrParm = Replace(strParm, \"&lt;%\", \"<SPAN>&lt;%</SPAN><FONT COLOR=\"\"#000000\"\">\")",
    "\tstrParm = Replace(strParm, \"%&gt;\", \"<SPAN>%</FONT>&gt;</SPAN>\")",
    "\tstrParm = Replace(strParm, \"&lt;!--\", \"<I><FONT COLOR=\"\"#CC0033\"\">&lt;!--\")",
    "\tstrParm = Replace(strParm, \"--&gt;\", \"--&gt;</I></FONT>\")",
    "\tDisplayText = strParm",
    "End Function",
    "</script>",
};

constexpr std::string_view kLoadingNotice =
    "<span style='vertical-align:middle'><img src='../images/loading.gif' "
    "style='margin-right:3px;vertical-align:middle '><font color=gray>正在加载数据，请稍后..."
    "</font></span>";

// The transfer or consultation picker that checkRadio puts into DataDIV (no double quote in it,
// so it stands in a script string as it is).
std::string recipient_picker(std::string_view prompt, std::string_view opener,
                             std::string_view field) {
  const std::string f(field);
  return std::string(prompt) +
         "<img src='../include/imagesv10/xb.gif' border=0 onclick= vbscript:" +
         std::string(opener) +
         "('../PowerSelect.asp') title='选择人员' style='cursor:hand;'><br><TEXTAREA "
         "style='width:98%;height:30;' id=" +
         f + "Dis name=" + f + "Dis readonly></TEXTAREA><input type='hidden' name='" + f +
         "' value=''>";
}

}  // namespace

std::string js_key(const vb::Variant& key) {
  const std::string text = library::js_string(key);
  const std::size_t sign = text.starts_with('-') ? 1 : 0;
  const std::size_t digits = text.size() - sign;
  // "010" stays text: as a script number it would read as 8, and the server reads it as 10.
  const bool whole_number = digits > 0 && digits <= 15 &&
                            text.find_first_not_of("0123456789", sign) == std::string::npos &&
                            (digits == 1 || text[sign] != '0');
  return whole_number ? text : "'" + text + "'";
}

void write_print_and_end(PageState& p) {
  platform::asp::Response& out = *p.ctx.Response;
  write_script_lines(out, kPrintHandlers);
  write_script_lines(out, kUserPickerAndDisplayText);

  const std::string keys = "BiaoDanID:" + js_key(p.BiaoDanID) +
                           ", BiaoDanRecordID:" + js_key(p.BiaoDanRecordID) +
                           ", JieDianID:" + js_key(p.JieDianID);
  out.write(script_lines({
      "<script language=javascript>",
      "function CheXiaoGouTong(){",
      "\tif (!confirm(\"确实要撤销与其他用户的沟通吗?\")) return;",
      "\tdocument.getElementById(\"DataDIV\").style.display = \"none\";",
  }));
  out.write("\t$.post(\"do.asp\", { op:\"chexiaogoutong\", " + keys + " }, function(data){\r\n");
  out.write(script_lines({
      "\t\tif (data == \"OK\") {",
      "\t\t\talert(\"撤销沟通成功！\");",
      "\t\t\tdocument.getElementById(\"schexiao\").style.display = \"none\";",
      "\t\t}",
      "\t});",
      "}",
      "function checkRadio(){",
      "\tvar DataDIV = document.getElementById(\"DataDIV\");",
      "\tswitch (getRadioBoxValue(\"BanLiJieGuo\")) {",
      "\tcase \"-2\":",
      "\t\tDataDIV.style.display = \"block\";",
  }));
  out.write("\t\tDataDIV.innerHTML = \"" + std::string(kLoadingNotice) + "\";\r\n");
  out.write("\t\t$.post(\"do.asp\", { op:\"bohui\", " + keys +
            " }, function(data){ DataDIV.innerHTML = data; });\r\n");
  out.write(
      script_lines({"\t\tbreak;", "\tcase \"-3\":", "\t\tDataDIV.style.display = \"block\";"}));
  out.write("\t\tDataDIV.innerHTML = \"" +
            recipient_picker("请选择转办人员：", "openWinZ", "ZhuanBanUser") + "\";\r\n");
  out.write(
      script_lines({"\t\tbreak;", "\tcase \"-4\":", "\t\tDataDIV.style.display = \"block\";"}));
  out.write("\t\tDataDIV.innerHTML = \"" +
            recipient_picker("请选择沟通人员：", "openWinG", "GouTongUser") + "\";\r\n");
  out.write(script_lines({
      "\t\tbreak;",
      "\tdefault:",
      "\t\tDataDIV.style.display = \"none\";",
      "\t}",
      "}",
      "function getRadioBoxValue(radioName){",
      "\tvar radios = document.getElementsByName(radioName);",
      "\tfor (var i = 0; i < radios.length; i++) {",
      "\t\tif (radios[i].checked) return radios[i].value;",
      "\t}",
      "\treturn \"undefined\";",
      "}",
      "</script>",
      "<form action=\"biaodanword.asp\" method=\"post\" name=\"bdprint\" "
      "style=\"display:none\">",
      "<textarea rows=2 cols=20 id=printhtml name=printhtml></textarea>",
      "</form>",
  }));
}

}  // namespace page
