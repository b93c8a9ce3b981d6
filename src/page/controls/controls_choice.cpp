// The choice controls: the check box, the drop-down list and the radio group.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "library/escape.h"
#include "library/flags.h"
#include "library/sql_guard.h"
#include "page/controls/controls.h"
#include "page/fields/value_references.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

// The drop-down's own attribute list: a fixed type and no FieldHasTime, FieldHasDate or
// FieldLength.
std::string drop_down_attributes(PageState& p) {
  static constexpr std::array<std::pair<const char*, const char*>, 6> kPieces{{
      {"  FieldXianDingChangDu='", "FieldXianDingChangDu"},
      {"'   FieldCanEdit='", "FieldCanEdit"},
      {"'   RiQiGeShi='", "RiQiGeShi"},
      {"'   ShiJianGeShi='", "ShiJianGeShi"},
      {"'   FieldCantNull='", "FieldCantNull"},
      {"'  FieldIsDuoXuan='", "FieldIsDuoXuan"},
  }};
  std::string list = " FieldType='下拉列表型'";
  for (const auto& [piece, column] : kPieces) {
    list += piece;
    list += definition_attribute(p, column);
  }
  return list + "' FieldNameDis='" + definition_attribute(p, "FieldNameDis") + "' >";
}

std::string option_text(const vb::Variant& v) { return vb::CStr(vb::Variant(v) & ""); }

}  // namespace

void check_box_control(PageState& p) {
  p.strChecked = library::flag_set(p.zdValue) ? " checked " : "  ";
  const std::string key = control_key(p);
  p.strHTML = "<INPUT type='checkbox' id='zd" + key + "' NAME='zd" + key + "' " +
              vb::CStr(p.strChecked) + " >";
}

void drop_down_control(PageState& p) {
  auto& field = field_row(p);
  const std::string key = control_key(p);
  const vb::Variant options_query = field("DefaultValue");
  const bool from_query = vb::Trim(options_query) != "" && library::flag_set(field("ZiDianCode"));
  std::string html;
  std::string query;
  if (from_query) {
    // The options query is run as the form's designer stored it.
    html = "<select style='width:99%' id=zd" + key + " name=zd" + key;
    query = vb::CStr(options_query);
  } else {
    html = "<select  style='width:99%' id=zd" + key + " name=zd" + key;
    query =
        "select * From OA_ZiDian where ZDType = '1' and  ParentID in (select OAID from "
        "OA_ZiDian where Name = '" +
        library::sql_text(field("FieldNameDis")) + "') order by OrderNumber ";
  }
  html += drop_down_attributes(p);

  auto& rs = open_query(p, p.rs, p.ctx.sql, std::move(query));
  const long count = rs.RecordCount();
  for (p.iItem = 1; p.iItem <= count; p.iItem = p.iItem + 1) {
    const vb::Variant option = from_query ? rs(0).Value() : rs("Name").Value();
    const bool selected = option == p.zdValue;
    html += "<OPTION value='" + library::html_attribute(option) + "'";
    if (from_query) html += ' ';
    if (selected) html += " selected ";
    html += '>';
    html += library::html_text(option);
    html += "</OPTION>";
    rs.MoveNext();
  }
  html += "</Select>";
  rs.Close();
  p.strHTML = std::move(html);
}

void radio_group_control(PageState& p) {
  auto& field = field_row(p);
  const std::string key = control_key(p);
  const std::string radio = "<INPUT type='radio' id=zd" + key + " name=zd" + key;
  // Null options or a Null value have no text to split or compare: they count as "".
  p.arrRadio = vb::Split(option_text(field("DefaultValue")), "*");
  std::string html =
      "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD  width=100% NOWRAP>";
  p.isRadioFirst = "";
  p.RadioValue = p.zdValue;
  p.isRadioMatch = false;
  const std::string value = option_text(p.RadioValue);
  // Each option is a text of the designer: its references are filled after the split, so a
  // value that holds a "*" stays one option.
  std::vector<std::string> options;
  for (const vb::Variant& option : p.arrRadio.array()) {
    options.push_back(option_text(with_value_references(p, option, false)));
    if (options.back() == value) p.isRadioMatch = true;
  }

  const bool matched = p.isRadioMatch.truthy();
  for (const std::string& text : options) {
    const std::string attribute = library::html_attribute(text);
    if (matched) {
      html += radio + " value='" + attribute + (text == value ? "'  checked>" : "'  >");
    } else if (text.empty()) {
      continue;
    } else if (p.isRadioFirst == "") {
      p.isRadioFirst = "1";
      html += radio + " value='" + attribute + "' checked>";
    } else {
      html += radio + "  value='" + attribute + "' >";
    }
    html += attribute + "&nbsp;";
  }
  p.strHTML = html + "</TD></TR></TABLE>";
}

}  // namespace page
