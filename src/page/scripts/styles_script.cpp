// The styles, the cookie and full-screen functions and insertKongJian: fixed text, the same on
// every page.
#include <string_view>

#include "page/scripts/dialog_scripts.h"
#include "page/scripts/script_lines.h"

namespace page {
namespace {

constexpr std::string_view kStyleLines[] = {
    "<style>",
    "<!--",
    ".Pages { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #808080 1px solid; BORDER-LEFT: "
    "#808080 1px solid; BORDER-BOTTOM: #000000 1px solid; PADDING-RIGHT: 2px; PADDING-LEFT: 1px; "
    "PADDING-BOTTOM: 2px; PADDING-TOP: 1px }",
    "-->",
    "</style>",
    "<style type=\"text/css\">",
    ".sec1 { FONT-SIZE: 12px; BORDER-TOP: #E4E4E0 1px solid; BORDER-LEFT: #E4E4E0 1px solid; "
    "BORDER-RIGHT: #E4E4E0 1px solid; CURSOR: hand; BACKGROUND-COLOR: #f3f3f3 }",
    ".sec2 { FONT-SIZE: 12px; BORDER-RIGHT: #b6b6b6 1px solid; BORDER-TOP: #b6b6b6 1px solid; "
    "BORDER-LEFT: #b6b6b6 1px solid; FONT-WEIGHT: bold; CURSOR: hand; BACKGROUND-COLOR: #E4E4E0 }",
    ".main_tab { BORDER-RIGHT: #808080 1px solid; BORDER-LEFT: #ffffff 1px solid; COLOR: #000000; "
    "BORDER-BOTTOM: #808080 1px solid; BACKGROUND-COLOR: #E4E4E0 }",
    "</style>",
    "<SCRIPT LANGUAGE=\"JavaScript\">",
    "<!-- ",
    "function getCookieVal(offset){",
    "\tvar endstr=document.cookie.indexOf(\";\",offset);",
    "\tif(endstr==-1) endstr=document.cookie.length;",
    "\treturn unescape(document.cookie.substring(offset,endstr));",
    "}",
    "function GetCookie(name){",
    "\tvar arg=name+\"=\";",
    "\tvar alen=arg.length;",
    "\tvar clen=document.cookie.length;",
    "\tvar i=0;",
    "\twhile(i<clen){",
    "\t\tvar j=i+alen;",
    "\t\tif(document.cookie.substring(i,j)==arg) return getCookieVal(j);",
    "\t\ti=document.cookie.indexOf(\" \",i)+1;",
    "\t\tif(i==0) break;",
    "\t}",
    "\treturn null;",
    "}",
    "function SetCookie(name,value){",
    "\tvar argv=SetCookie.arguments;",
    "\tvar argc=SetCookie.arguments.length;",
    "\tvar expires=new Date();",
    "\texpires.setTime(expires.getTime()+(24*60*60*1000*31));",
    "\tvar path=(argc>3)?argv[3]:null;",
    "\tvar domain=(argc>4)?argv[4]:null;",
    "\tvar secure=(argc>5)?argv[5]:false;",
    "\tdocument.cookie=name+\"=\"+escape(value)+\"; expires=\"+expires.toGMTString()"
    "+((path==null)?\"\":(\"; path=\"+path))+((domain==null)?\"\":(\"; domain=\"+domain))"
    "+((secure==true)?\"; secure\":\"\");",
    "}",
    "// Full screen needs the page's RemoveIEToolbar object; without it only the cookie is set.",
    "function setToolBar(value){",
    "\tif(typeof(RemoveIEToolbar)!=\"undefined\") RemoveIEToolbar.ToolBar=value;",
    "}",
    "function fullscreen(){",
    "\tsetToolBar(0);",
    "\tSetCookie(\"_myConfigBiaoDan\",0);",
    "}",
    "function restore(){",
    "\tsetToolBar(1);",
    "\tSetCookie(\"_myConfigBiaoDan\",1);",
    "}",
    "var CookieCurrentValue;",
    "function ScreenIsFull(){",
    "\tCookieCurrentValue=GetCookie(\"_myConfigBiaoDan\");",
    "\tsetToolBar(CookieCurrentValue!=null?CookieCurrentValue:1);",
    "}",
    "function insertKongJian(elm, OID, w, h,ClientIP){",
    "\tvar el=document.getElementById(elm);",
    "\tif(el==null) return;",
    "\tel.innerHTML='<object id=\"'+OID+'\" width=\"'+w+'\" height=\"'+h+'\" "
    "onerror=javascript:TBInfor.style.display=\"\"; "
    "classid=\"clsid:AFCD4D49-262C-4BE1-B8C0-1F547B2813A3\"><param name=\"CilentIp\" "
    "value=\"'+ClientIP+'\"></object>';",
    "}",
    "// -->",
    "</SCRIPT>",
};

}  // namespace

void write_styles_and_full_screen(PageState& p) {
  write_script_lines(*p.ctx.Response, kStyleLines);
}

}  // namespace page
