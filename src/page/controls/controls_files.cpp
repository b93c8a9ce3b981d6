// The file controls: one file or picture, several files with their captions, and the choice
// of a stored signature.
#include <string>
#include <vector>

#include "library/download_address.h"
#include "library/escape.h"
#include "library/flags.h"
#include "library/sql_guard.h"
#include "page/controls/controls.h"
#include "page/fields/user_lists.h"
#include "page/fields/value_references.h"
#include "page/scripts/script_lines.h"
#include "page/work_recordset.h"
#include "platform/asp/session.h"
#include "vb/builtins.h"

namespace page {
namespace {

// The caption columns of a 多附件型 field: caption k is on when isFJk is "1".
constexpr const char* kCaptionFlags[] = {"isFJ1", "isFJ2", "isFJ3"};
constexpr const char* kCaptionLabels[] = {"FJ1BiaoTi", "FJ2BiaoTi", "FJ3BiaoTi"};
constexpr const char* kCaptionTexts[] = {"ShuoMing1", "ShuoMing2", "ShuoMing3"};

// A caption that is on: its number, its label (the designer's markup, its value references
// filled) and the column of a stored file that holds its text.
struct Caption {
  std::string n, label;
  const char* text_column;
};

std::string markup(const vb::Variant& v) { return vb::CStr(v & ""); }

// The field's value beside its control: the stored file's markup, or a default as text.
std::string shown_value(const PageState& p) {
  return p.value_is_markup ? markup(p.zdValue) : library::html_text(p.zdValue);
}

std::vector<Caption> captions(PageState& p) {
  auto& field = field_row(p);
  std::vector<Caption> on;
  for (int k = 0; k < 3; ++k) {
    if (!library::flag_set(field(kCaptionFlags[k]))) continue;
    on.push_back({std::to_string(k + 1),
                  markup(with_value_references(p, field(kCaptionLabels[k]).Value(), true)),
                  kCaptionTexts[k]});
  }
  return on;
}

// The hidden template row that AddRow<key> copies, its inputs suffixed "AKKKKKK".
std::string template_table(const std::vector<Caption>& captions, const std::string& key) {
  std::string html = "<table ID=myFormTable" + key +
                     " style='display:none'><TR><td   width=20 align=center><center><a "
                     "href='javascript:void(0)' onclick='javascript:del(this)'>删</a></td>"
                     "<td>附件：<INPUT type='file' id=DuoFJ" +
                     key + "AKKKKKK name=DuoFJ" + key + "AKKKKKK></td>";
  for (const Caption& caption : captions) {
    html += "<TD>" + caption.label + ":<INPUT type='text' id=DuoShuo" + caption.n + key +
            "AKKKKKK name=DuoShuo" + caption.n + key + "AKKKKKK  value=''></TD>";
  }
  return html + "</TR></table>";
}

// One row per stored file of the field, with its delete check box and its captions.
void append_stored_files(PageState& p, const std::string& key,
                         const std::vector<Caption>& captions, std::string& html) {
  p.rsFuJian = new_recordset();
  auto& files = open_query(p, p.rsFuJian, p.ctx.sql,
                           " select * from OA_Flow_FuJian where BiaoDanRecordID='" +
                               library::sql_text(p.BiaoDanRecordID) + "' and BiaoDanID='" +
                               library::sql_text(p.BiaoDanID) + "' and BanLiID=0 and FieldID='" +
                               key + "' order by OAID");
  const long count = files.RecordCount();
  p.FuJianCount = count;
  for (p.iFuJian = 1; p.iFuJian <= count; p.iFuJian = p.iFuJian + 1) {
    const std::string file = library::html_attribute(files("OAID").Value());
    html +=
        "<tr height=23 bgcolor='#F3F3F3'  style='cursor:hand;'><TD colspan=2><INPUT  "
        "value='1' type='checkbox' id=TRCheck" +
        file + " name=TRCheck" + file + " >删除该附件&nbsp;<INPUT  value=" + file +
        " type='hidden' id=DuoTR" + file + " name=DuoTR" + file +
        " >附件：<A  href='#'     onclick=DownLoadFile('" +
        library::attachment_download_address(files("OAID").Value()) + "')><FONT color=#425d8c>" +
        library::html_text(files("FileName").Value()) + "</FONT></A></TD>";
    for (const Caption& caption : captions) {
      html += "<TD>" + caption.label + ":" + library::html_text(files(caption.text_column).Value()) +
              "</TD>";
    }
    html += "</tr>";
    files.MoveNext();
  }
  files.Close();
  p.rsFuJian = vb::Variant();
}

// AddRow<key>(): copies the template row to the end of TBItem<key>, numbering its inputs on.
std::string add_row_script(const std::string& key, const vb::Variant& count) {
  const std::string counter = "idCount" + key;
  return script_lines({
             "<script language=javascript>",
             "var " + counter + "=" + vb::CStr(count) + ";",
             "function AddRow" + key + "(){",
             "\t" + counter + " = " + counter + " + 1;",
             "\tvar oTemplate = document.getElementById(\"myFormTable" + key + "\");",
             "\tvar oTemplateRow = oTemplate.rows[oTemplate.rows.length - 1];",
             "\tvar nCells = oTemplateRow.cells.length;",
             "\tvar oRow = document.getElementById(\"TBItem" + key + "\").insertRow();",
             "\toRow.style.height = '25';",
             "\toRow.id = 'TR' + " + counter + ";",
             "\tfor (var i = 0; i < nCells; i++) {",
             "\t\tvar oCell = oRow.insertCell(i);",
             "\t\toCell.innerHTML = ReplaceAll(oTemplateRow.cells[i].innerHTML, 'KKKKKK', " +
                 counter + ");",
             "\t}",
             "}",
         }) +
         "</SCRIPT>";
}

}  // namespace

void file_control(PageState& p) {
  const std::string key = control_key(p);
  std::string html =
      "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP>";
  // The stored file's link or picture, from the stored-value step; Null when there is none.
  if (vb::Len(p.zdValue) > 0) {
    html += "<INPUT type='checkbox' id=DELetezd" + key + " name=DELetezd" + key +
            " >删除&nbsp;&nbsp;" + shown_value(p) + "<br>";
  }
  p.strHTML = html + "<input id=zd" + key + " name=zd" + key +
              " type='file' style='width:99%'></TD></TR></TABLE>";
}

void multi_file_control(PageState& p) {
  const std::string key = control_key(p);
  p.strHTML = "";
  p.FuJianCount = 0;
  const std::vector<Caption> on = captions(p);
  std::string html = template_table(on, key);
  html += "<INPUT type='button' value='添加附件' id=btnFuJian" + key + " name=btnFuJian" + key +
          " onclick=AddRow" + key + "()>";
  html += "<TABLE id=TBItem" + key +
          "  bgColor=#ffffff border=1 borderColorDark=#ffffff  width=100% "
          "borderColorLight=#C0C0C0 cellSpacing=0 cellpadding=5>";
  if (p.BiaoDanRecordID != "") append_stored_files(p, key, on, html);
  html += "</TABLE>";
  html += add_row_script(key, p.FuJianCount);
  p.strHTML = std::move(html);
}

void signature_file_control(PageState& p) {
  const std::string key = control_key(p);
  std::string html = "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD>";
  // LIKE only narrows the rows: "_" and "%" in a login name match any text there, and a "["
  // (a set of characters on SQL Server) is made a "_" so that no row naming the user is missed.
  // Each row is then matched literally.
  const vb::Variant user = p.ctx.Session->get("UserName");
  auto& rs = open_query(p, p.rs, p.ctx.sql,
                        "select * from OA_Flow_QianMing where usernames like '%;" +
                            library::sql_text(vb::Replace(user, "[", "_")) + ";%'");
  html += "<select style='width:99%' id=zd" + key + " name=zd" + key + " onchange='toLoadImage(" +
          key + ")'><OPTION value='' selected></OPTION><OPTION value='0'>取消签名</OPTION>";
  const long count = rs.RecordCount();
  for (p.iItem = 1; p.iItem <= count; p.iItem = p.iItem + 1) {
    if (names_user(rs("usernames").Value(), user)) {
      html += "<OPTION value='" + library::html_attribute(rs("OAID").Value()) + "' >" +
              library::html_text(rs("FileName").Value()) + "</OPTION>";
    }
    rs.MoveNext();
  }
  html += "</select>";
  rs.Close();
  p.strHTML = html + "</TD></TR><TR><TD width=100% NOWRAP id='TD" + key + "' name='TD" + key +
              "'>" + shown_value(p) + "</TD></TR></TABLE>";
}

}  // namespace page
