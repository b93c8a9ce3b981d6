// The dialog and close-guard scripts: fixed text, the same on every page.
#include "page/scripts/dialog_scripts.h"

#include <string_view>

#include "page/scripts/script_lines.h"

namespace page {
namespace {

constexpr std::string_view kDialogLines[] = {
    "<script LANGUAGE=\"javascript\">",
    "function ShowSelect(){",
    "\tvar ret=window.showModalDialog(\"../documents/Public_FolderSelect.asp\",\"\","
    "\"dialogWidth:350px;status:no;status:no;dialogHeight:350px;scroll:no\");",
    "\tif(ret!=null && ret.oaid!=null && ret.oaid!=\"\"){",
    "\t\twebform.FolderIDDis.value=ret.name;",
    "\t\twebform.FolderID.value=ret.oaid;",
    "\t}",
    "}",
    "function displayRen(xuhao){",
    "\tif(xuhao==3){",
    "\t\twebform.GuiDangRenDis.style.display=\"\";",
    "\t\twebform.imgguidang.style.display=\"\";",
    "\t}else{",
    "\t\twebform.GuiDangRenDis.style.display=\"none\";",
    "\t\twebform.imgguidang.style.display=\"none\";",
    "\t}",
    "}",
    "</script>",
    "<script language=\"vbscript\">",
    "function toLoadImage(ID)",
    "\tdim v",
    "\tv=document.all(\"zd\" & ID).value",
    "\tif v=\"0\" then",
    "\t\tdocument.all(\"TD\" & ID).innerHTML=\"\"",
    "\telseif v<>\"\" then",
    "\t\tdocument.all(\"TD\" & ID).innerHTML=\"<img "
    "src='../showPhoto.asp?FName=FileContent&TName=OA_Flow_QianMing&OAID=\" & v & \"'>\"",
    "\tend if",
    "end function",
    "function openWinA(url)",
    "\tdim k",
    "\tk=window.showModalDialog(url,\"\","
    "\"dialogWidth:800px;status:no;status:no;dialogHeight:600px;scroll:no\")",
    "end function",
    "function openWinB(url)",
    "\tdim k,parts",
    "\tk=window.showModalDialog(url,\"\","
    "\"dialogWidth:320px;status:no;status:no;dialogHeight:350px;scroll:no\")",
    "\tif k<>\"\" then",
    "\t\tdocument.webform.Manager.value=split(k,\"$#@&!\")(0)",
    "\t\tparts=split(k,\"#\")",
    "\t\tif ubound(parts)>=1 then document.webform.ManagerDis.value=parts(1)",
    "\tend if",
    "end function",
    "</script>",
    "<SCRIPT ID=clientEventHandlersJS LANGUAGE=javascript>",
    "<!--",
    "function mySlectBuMen(ele){",
    "\tvar ret=window.showModalDialog(\"../include/user/SelectDepart.asp\",\"\","
    "\"dialogWidth:300px;status:no;status:no;dialogHeight:350px;scroll:no;\");",
    "\tif(ret!=null && ret.OAID!=null && ret.OAID!=\"\"){",
    "\t\tdocument.webform.elements[ele].value=ret.Name;",
    "\t}",
    "}",
    "var clickclose=0;",
    "function isWindowClose(){",
    "\t//窗口右上角的关闭按钮",
    "\tif(event.screenX>=screen.availWidth-50 && event.screenY<30){",
    "\t\tclickclose=1;",
    "\t}",
    "\t//任务栏中的关闭",
    "\tif(event.screenY>screen.availHeight-25){",
    "\t\tclickclose=1;",
    "\t}",
    "\tif(clickclose==1){",
    "\t\tevent.returnValue=\"您的当前工作尚未完成，是否确定退出当前工作任务？\";",
    "\t\tclickclose=0;",
    "\t}",
    "}",
    "function yiJian_onchange(){",
    "\twebform.BanLiYiJian.value=webform.BanLiYiJian.value+"
    "webform.yiJian.options[webform.yiJian.selectedIndex].text;",
    "}",
    "//-->",
    "</SCRIPT>",
};

}  // namespace

void write_dialog_scripts(PageState& p) { write_script_lines(*p.ctx.Response, kDialogLines); }

}  // namespace page
