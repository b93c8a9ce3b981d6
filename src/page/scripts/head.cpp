// The page head: its text never depends on the request.
#include "page/scripts/head.h"

#include <string_view>

#include "page/scripts/script_lines.h"
#include "platform/asp/response.h"

namespace page {
namespace {

constexpr std::string_view kHeadLines[] = {
    "<HTML XMLNS:MyPad><HEAD>",
    "<script language=\"JavaScript\" src=\"../Include/js/calendar.js\"></script>",
    "<script type=\"text/javascript\" src=\"../Include/js/calendar-zh.js\"></script>",
    "<script type=\"text/javascript\" src=\"../qmkel.js\"></script>",
    "<script language=\"JavaScript\" src=\"../include/FunctionJS.asp\"></script>",
    "<script language=\"JavaScript\" src=\"../Include/js/tabpane.js\"></script>",
    "<link type=\"text/css\" rel=\"stylesheet\" href=\"../Include/js/tab.css\">",
    "<link type=\"text/css\" rel=\"stylesheet\" href=\"../Include/js/css.css\">",
    "<script type=\"text/javascript\" src=\"../ckeditor/ckeditor.js\"></script>",
    "<script type=\"text/javascript\" src=\"../js/jquery-1.4.2.min.js\"></script>",
    "<link type=\"text/css\" href=\"../js/lhg/lhgdialog.css\" rel=\"stylesheet\" />",
    "<script type=\"text/javascript\" src=\"../js/lhg/lhgcore.min.js\"></script>",
    "<script type=\"text/javascript\" src=\"../js/lhg/lhgdialog.js\"></script>",
    "<script language=\"javascript\">",
    "function del(obj){",
    "\tif(confirm(\"确实删除该行记录吗？\")){",
    "\t\tobj.parentNode.parentNode.parentNode.removeNode(true);",
    "\t}",
    "}",
    "function todel(){",
    "\tdocument.webform.OP.value=\"DEL\";",
    "\tdocument.webform.submit();",
    "}",
    "function openFlow(url){",
    "\tvar dg = new J.ui.dialog({ title:'流程信息', page:url, drag:true, cover:true, btns:false, "
    "width:document.body.clientWidth-50, height:document.body.clientHeight-50 });",
    "\tdg.ShowDialog();",
    "}",
    "</script>",
    "<META name=VI60_defaultClientScript content=JavaScript>",
    "<TITLE>流程处理</TITLE>",
};

}  // namespace

void head(PageState& state) { write_script_lines(*state.ctx.Response, kHeadLines); }

}  // namespace page
