// The save check of the page: the distribution and recipient pickers and saveToDB, which runs
// the node's own script and checks the handling choice, the fields and the attachment rows
// before the pre-check post.
#include <string>
#include <string_view>

#include "page/scripts/closing_scripts.h"
#include "page/scripts/script_lines.h"

namespace page {
namespace {

constexpr std::string_view kUserPicker =
    "dialogWidth:400px;status:no;status:no;dialogHeight:450px;scroll:no;";

// A picker stores the key part of the dialog's answer wrapped in ";" and shows its display part
// (with ";" turned into display_separator).
struct Picker {
  std::string_view name, features, key_field, display_field, display_separator;
};

constexpr Picker kPickers[] = {
    {"openWinF", kUserPicker, "FenFaUser", "FenFaUserDis", ";"},
    {"openWinC", "dialogWidth:405px;status:no;status:no;dialogHeight:450px;scroll:no", "FenFaBuMen",
     "FenFaBuMenDis", ","},
    {"openWinZ", kUserPicker, "ZhuanBanUser", "ZhuanBanUserDis", ";"},
    {"openWinG", kUserPicker, "GouTongUser", "GouTongUserDis", ";"},
};

void write_picker(platform::asp::Response& out, const Picker& picker) {
  const std::string key = std::string(picker.key_field);
  const std::string display = std::string(picker.display_field);
  const std::string shown =
      picker.display_separator == ";"
          ? "arrPicked(1)"
          : "Replace(arrPicked(1), \";\", \"" + std::string(picker.display_separator) + "\")";
  out.write("Function " + std::string(picker.name) + "(url)\r\n");
  out.write("\tretPicked = window.showModalDialog(url, \"\", \"" + std::string(picker.features) +
            "\")\r\n");
  out.write(script_lines({
      "\tIf InStr(retPicked & \"\", \"$#@&!\") > 0 Then",
      "\t\tarrPicked = Split(retPicked, \"$#@&!\")",
  }));
  out.write("\t\tdocument.webform." + key + ".value = \";\" & arrPicked(0) & \";\"\r\n");
  out.write("\t\tdocument.webform." + display + ".value = " + shown + "\r\n");
  out.write(script_lines({"\tEnd If", "End Function"}));
}

// The checks of one field control whose name holds "zd" (the number and title fields by name,
// the rest by their FieldType attributes), ending the save on the first that fails.
constexpr std::string_view kFieldChecks[] = {
    "\tFor iEl = 0 To document.webform.elements.length - 1",
    "\t\tSet oEl = document.webform.elements(iEl)",
    "\t\tIf oEl.name & \"\" <> \"\" And InStr(oEl.name & \"\", \"zd\") > 0 Then",
    "\t\t\tIf oEl.name = \"zd_1\" Then",
    "\t\t\t\tIf oEl.value = \"\" Then",
    "\t\t\t\t\tMsgBox \"对不起,“编号”不能为空！\"",
    "\t\t\t\t\toEl.focus",
    "\t\t\t\t\tExit Function",
    "\t\t\t\tEnd If",
    "\t\t\tElseIf oEl.name = \"zd_2\" Then",
    "\t\t\t\tIf oEl.value = \"\" Then",
    "\t\t\t\t\tMsgBox \"对不起,“标题”不能为空！\"",
    "\t\t\t\t\toEl.focus",
    "\t\t\t\t\tExit Function",
    "\t\t\t\tEnd If",
    "\t\t\tElse",
    "\t\t\t\tstrFieldType = oEl.getAttribute(\"FieldType\") & \"\"",
    "\t\t\t\tIf strFieldType <> \"\" And strFieldType <> \"真假型\" And strFieldType <> \"签字型\" "
    "Then",
    "\t\t\t\t\tstrFieldName = oEl.getAttribute(\"FieldNameDis\") & \"\"",
    "\t\t\t\t\tIf strFieldType = \"数字型\" And oEl.value <> \"\" And Not IsNumeric(oEl.value) "
    "Then",
    "\t\t\t\t\t\tMsgBox \"对不起，“\" & strFieldName & \"”必须是数值类型！\"",
    "\t\t\t\t\t\toEl.focus",
    "\t\t\t\t\t\tExit Function",
    "\t\t\t\t\tEnd If",
    "\t\t\t\t\tIf oEl.getAttribute(\"FieldCantNull\") & \"\" = \"1\" And oEl.value = \"\" Then",
    "\t\t\t\t\t\tMsgBox \"对不起，“\" & strFieldName & \"”不能为空！\"",
    "\t\t\t\t\t\toEl.focus",
    "\t\t\t\t\t\tExit Function",
    "\t\t\t\t\tEnd If",
    "\t\t\t\t\tIf oEl.getAttribute(\"FieldXianDingChangDu\") & \"\" = \"1\" And oEl.value <> \"\" "
    "Then",
    "\t\t\t\t\t\tIf CStr(Len(oEl.value)) <> oEl.getAttribute(\"FieldLength\") & \"\" Then",
    "\t\t\t\t\t\t\tMsgBox \"对不起，“\" & strFieldName & \"”有效长度是\" & "
    "oEl.getAttribute(\"FieldLength\")",
    "\t\t\t\t\t\t\toEl.focus",
    "\t\t\t\t\t\t\tExit Function",
    "\t\t\t\t\t\tEnd If",
    "\t\t\t\t\tEnd If",
    "\t\t\t\tEnd If",
    "\t\t\tEnd If",
    "\t\tEnd If",
    "\tNext",
};

// The handling choice, checked only for a hand-on to the next step on a page that offers one.
constexpr std::string_view kChoiceCheckStart[] = {
    "\tIf isContinue = \"1\" And HasThisElement(\"BanLiJieGuo\") Then",
    "\t\tHasChecked = False",
    "\t\tSet oRadios = document.getElementsByName(\"BanLiJieGuo\")",
    "\t\tFor iEl = 0 To oRadios.length - 1",
    "\t\t\tIf oRadios(iEl).checked Then",
    "\t\t\t\tSelect Case oRadios(iEl).value",
    "\t\t\t\tCase \"JieShu\"",
    "\t\t\t\t\tIf MsgBox(\"您确定要结束当前流程吗？\", vbYesNo + vbInformation + vbDefaultButton2, "
    "\"系统提示\") = vbNo Then Exit Function",
    "\t\t\t\tCase \"-2\"",
    "\t\t\t\t\tIf getRadioBoxValue(\"BoHuiJieDian\") = \"undefined\" Then",
    "\t\t\t\t\t\tMsgBox \"对不起，请选择驳回节点！\"",
    "\t\t\t\t\t\tExit Function",
    "\t\t\t\t\tEnd If",
};

constexpr std::string_view kChoiceCheckEnd[] = {
    "\t\t\t\tEnd Select",
    "\t\t\t\tHasChecked = True",
    "\t\t\t\tExit For",
    "\t\t\tEnd If",
    "\t\tNext",
    "\t\tIf Not HasChecked Then",
    "\t\t\tMsgBox \"对不起，请选择流程流向！\"",
    "\t\t\tExit Function",
    "\t\tEnd If",
    "\tEnd If",
};

// The case of a transfer or consultation choice: its users must be picked. The picker's fields
// exist only once checkRadio has written them.
std::string picked_users_case(const std::string& value, const std::string& field,
                              const std::string& message) {
  return script_lines({
      "\t\t\t\tCase \"" + value + "\"",
      "\t\t\t\t\tstrPicked = \"\"",
      "\t\t\t\t\tIf HasThisElement(\"" + field +
          "\") Then strPicked = document.webform.elements(\"" + field + "\").value",
      "\t\t\t\t\tIf strPicked = \"\" Then",
      "\t\t\t\t\t\tMsgBox \"" + message + "\"",
      "\t\t\t\t\t\tExit Function",
      "\t\t\t\t\tEnd If",
  });
}

}  // namespace

void write_save_check(PageState& p) {
  platform::asp::Response& out = *p.ctx.Response;
  out.write(script_lines({
      "<script language=vbscript>",
      "Dim nowIsContinue",
      "Function SetEmpty(Parm)",
      "\tIf Parm = \"J\" Then",
      "\t\tdocument.webform.FenFaUser.value = \"\"",
      "\t\tdocument.webform.FenFaUserDis.value = \"\"",
      "\tElse",
      "\t\tdocument.webform.FenFaBuMen.value = \"\"",
      "\t\tdocument.webform.FenFaBuMenDis.value = \"\"",
      "\tEnd If",
      "End Function",
  }));
  for (const Picker& picker : kPickers) write_picker(out, picker);
  out.write(script_lines({
      "Function saveToDB(isContinue,source)",
      "\tFor iEl = 0 To document.webform.elements.length - 1",
      "\t\tSet oEl = document.webform.elements(iEl)",
      "\t\tIf oEl.getAttribute(\"mingxi\") = \"ismingxi\" Then",
      "\t\t\toEl.value = Replace(oEl.value, \",\", \"，\")",
      "\t\tEnd If",
      "\tNext",
  }));
  out.write("\t");
  out.write(p.RemarkVB);
  out.write("\r\n");
  write_script_lines(out, kChoiceCheckStart);
  out.write(picked_users_case("-3", "ZhuanBanUser", "对不起，请选择转办人员！"));
  out.write(picked_users_case("-4", "GouTongUser", "对不起，请选择沟通人员！"));
  write_script_lines(out, kChoiceCheckEnd);
  write_script_lines(out, kFieldChecks);
  out.write(script_lines({
      "\tFor iEl = 0 To document.webform.elements.length - 1",
      "\t\tSet oEl = document.webform.elements(iEl)",
      "\t\tIf oEl.type = \"file\" Then",
      "\t\t\tIf Trim(oEl.value) = \"\" And Left(oEl.id, 2) <> \"zd\" And InStr(oEl.id, \"KKKK\") = "
      "0 Then",
      "\t\t\t\tMsgBox \"请选择附件！\"",
      "\t\t\t\toEl.focus",
      "\t\t\t\tExit Function",
      "\t\t\tEnd If",
      "\t\tEnd If",
      "\tNext",
      "\tdocument.webform.isContinue.value = isContinue",
      "\tnowIsContinue = isContinue",
      "\ttopreCheck",
      "End Function",
  }));
}

}  // namespace page
