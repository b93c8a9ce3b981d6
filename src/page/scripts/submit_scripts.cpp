// The submit path after the save check: thistosubmit, the attachment rows, the pre-check post
// to flowdo.asp and the caption string of the multi-attachment rows it carries.
#include <string>
#include <string_view>

#include "page/scripts/closing_scripts.h"
#include "page/scripts/script_lines.h"

namespace page {
namespace {

// The attachment rows are written in three pieces around the two tests of a missing element.
constexpr std::string_view kAttachmentRows[] = {
    "'新增附件",
    "Function AddAttach()",
    "\tDim oForm, oBottom, oCount, nRow, oDiv",
    "\tSet oForm = document.webform",
    "\tSet oBottom = document.all(\"bottomFJ\")",
    "\tIf oBottom.innerText = \"没有附件\" Then oBottom.innerText = \"\"",
};

constexpr std::string_view kAttachmentRowsAdded[] = {
    "\t\tSet oCount = document.createElement(\"input\")",
    "\t\toCount.type = \"hidden\"",
    "\t\toCount.id = \"AttachCount\"",
    "\t\toCount.value = 1",
    "\t\toForm.appendChild oCount",
    "\t\tnRow = 1",
    "\tElse",
    "\t\tSet oCount = document.getElementById(\"AttachCount\")",
    "\t\tnRow = CLng(oCount.value) + 1",
    "\t\toCount.value = nRow",
    "\tEnd If",
    "\tSet oDiv = document.createElement(\"div\")",
    "\toDiv.id = \"div_\" & nRow",
    "\toDiv.align = \"left\"",
    "\toBottom.appendChild oDiv",
    "\toDiv.innerHTML = \"附件：<input type=file name=Attach\" & nRow & \" id=Attach\" & nRow & "
    "\" size=30>&nbsp;附件说明：<input type=text name=ShuoMing\" & nRow & \" id=ShuoMing\" & nRow "
    "& \" size=30 maxlength=50>&nbsp;<input type=button class=buttonNoMargin value='删除本条' "
    "onclick=\"\"vbscript:DelID('div_\" & nRow & \"')\"\">\"",
    "End Function",
    "Function DelID(id)",
};

constexpr std::string_view kAttachmentRowsRemoved[] = {
    "\t\talert \"对象为空\"",
    "\tElse",
    "\t\tdelmain_wer document.getElementById(id)",
    "\tEnd If",
    "\tIf Not document.all(\"bottomFJ\").hasChildNodes() Then document.all(\"bottomFJ\").innerText "
    "= \"\"",
    "End Function",
    "Function delmain_wer(obj)",
    "\tDim iChild",
    "\tIf Not obj.hasChildNodes() Then",
    "\t\tobj.removeNode",
    "\tElse",
    "\t\tFor iChild = obj.childNodes.length - 1 To 0 Step -1",
    "\t\t\tdelmain_wer obj.childNodes(iChild)",
    "\t\tNext",
    "\t\tIf Not obj.hasChildNodes() Then obj.removeNode False",
    "\tEnd If",
    "End Function",
    "</script>",
};

// The form is looked up by id first, as the page's first browser matched names there, then
// by name.
constexpr std::string_view kFormToStrings[] = {
    "function formToStrings(){",
    "\tvar form = document.getElementById(\"webform\") || document.forms[\"webform\"];",
    "\tvar fujian = \"\";",
    "\tvar count = 0;",
    "\tfor (var i = 0; i < form.elements.length; i++) {",
    "\t\tvar name = form.elements[i].name || \"\";",
    "\t\tif (name.indexOf(\"DuoShuo\") >= 0 && name.indexOf(\"KKKK\") < 0) {",
    "\t\t\tif (count > 0) fujian += \"*\";",
    "\t\t\tfujian += name + \":\" + form.elements[i].value;",
    "\t\t\tcount++;",
    "\t\t}",
    "\t}",
    "\treturn fujian;",
    "}",
    "</script>",
};

// The test that the element of that id is missing, as a line of its own: TypeName tells it
// apart whether the browser hands VBScript Null or Nothing.
std::string if_no_element(const std::string& id) {
  const std::string element = "TypeName(document.getElementById(" + id + "))";
  return "\tIf " + element + " = \"Nothing\" Or " + element + " = \"Null\" Then\r\n";
}

}  // namespace

void write_submit_scripts(PageState& p) {
  platform::asp::Response& out = *p.ctx.Response;
  out.write(script_lines({
      "Function thistosubmit()",
      "\tIf nowIsContinue = \"0\" Then",
      "\t\tTd_ColumnSet1.innerHTML = \"<nobr><font color=red>正在提交...</font></nobr>\"",
      "\tElse",
      "\t\tTd_ColumnSet2.innerHTML = \"<nobr><font color=red>正在提交...</font></nobr>\"",
      "\tEnd If",
  }));
  if (p.ZhengWenType == "1") {
    out.write(script_lines({
        "\tToNext = nowIsContinue",
        "\tIf ToNext = \"1\" Then",
        "\t\tSaveDocumentDB()",
        "\tElse",
        "\t\tSaveDocumentZanCun()",
        "\tEnd If",
    }));
  } else {
    if (p.ZhengWenType == "2" && p.BanLiType == "1") {
      out.write("\tdocument.webform.ContentHTML.value=document.frames.editor.editGetHtmlRel()\r\n");
    }
    out.write("\twebform.submit\r\n");
  }
  out.write("End Function\r\n");
  write_script_lines(out, kAttachmentRows);
  out.write(if_no_element("\"AttachCount\""));
  write_script_lines(out, kAttachmentRowsAdded);
  out.write(if_no_element("id"));
  write_script_lines(out, kAttachmentRowsRemoved);

  out.write(script_lines({
      "<script language=javascript>",
      "function topreCheck(){",
      "\tvar ssss = formToStrings();",
  }));
  // The node's pre-check members are script written by the workflow's designer: they go into
  // the posted object as they stand. A refusal that is not URI-encoded (a bare "%") is shown as
  // it came rather than lost in a script error.
  out.write("\t$.post(\"flowdo.asp\", { ");
  if (p.RemarkPRE != "") {
    out.write(p.RemarkPRE);
    out.write(",");
  }
  out.write("fujian:ssss }, function(data){\r\n");
  out.write(script_lines({
      "\t\tif (data != \"\") {",
      "\t\t\tvar refusal = data;",
      "\t\t\ttry { refusal = decodeURI(data); } catch (e) {}",
      "\t\t\talert(refusal);",
      "\t\t} else {",
      "\t\t\tthistosubmit();",
      "\t\t}",
      "\t});",
      "}",
  }));
  write_script_lines(out, kFormToStrings);
}

}  // namespace page
