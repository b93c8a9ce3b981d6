// The picker controls: a text input beside an icon that opens the calendar, the dictionary,
// the department or user dialog, or the look-up dialog.
#include <string>
#include <string_view>

#include "library/escape.h"
#include "library/flags.h"
#include "page/controls/controls.h"
#include "page/controls/field_controls.h"
#include "page/fields/value_references.h"
#include "vb/builtins.h"

namespace page {
namespace {

// A text of the designer for a script string in an attribute, its value references filled.
std::string script_argument(PageState& p, const vb::Variant& text) {
  return library::js_string_in_attribute(with_value_references(p, text, false));
}

constexpr char kTableOpening[] =
    "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP>";
constexpr char kTableOpeningSpaced[] =
    "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP >";
constexpr char kIconCell[] = "</TD><TD NOWRAP align=center width=20>";
constexpr char kTableEnd[] = "</TD></TR></TABLE>";

// The one-row table of the input and, in the second cell, the icon.
std::string beside_icon(std::string_view opening, const std::string& input,
                        const std::string& icon) {
  return std::string(opening) + input + kIconCell + icon + kTableEnd;
}

// A format column of the row, or `fallback` when it holds nothing.
vb::Variant format_or(platform::ado::Recordset& field, const char* column, const char* fallback) {
  const vb::Variant format = field(column).Value();
  // A Null format is as good as none: the calendar would otherwise get no format at all.
  if (vb::IsNull(format) || format == "") return fallback;
  return format;
}

// A picker whose dialog takes only the control's id: `icon_start` ends where the key follows.
std::string picker_of_key(PageState& p, std::string_view table_opening,
                          std::string_view input_opening, std::string_view icon_start) {
  return beside_icon(table_opening, typed_text_input(p, input_opening),
                     std::string(icon_start) + control_key(p) + "')\">");
}

std::string lookup_icon(const std::string& key, bool html_value) {
  return "<img title='查询' style='cursor:hand' src='../include/imagesv10/icon_search.gif' "
         "onclick='javascript:myChaXun(" +
         key + (html_value ? ",1);'>" : ",0);'>");
}

}  // namespace

void date_time_control(PageState& p) {
  auto& field = field_row(p);
  p.FieldHasDate = field("FieldHasDate").Value();
  p.FieldHasTime = field("FieldHasTime").Value();
  p.RiQiGeShi = "";
  p.ShiJianGeShi = "";
  if (library::flag_set(p.FieldHasDate)) p.RiQiGeShi = format_or(field, "RiQiGeShi", "%Y-%m-%d");
  if (library::flag_set(p.FieldHasTime))
    p.ShiJianGeShi = format_or(field, "ShiJianGeShi", " %H:%M");

  const std::string key = control_key(p);
  p.strHTML = beside_icon(
      kTableOpening, typed_text_input(p, "<input style='width:99%'  type=text id='zd"),
      "<img title='选择日期时间' style='cursor:hand' src='../include/imagesv10/icon_time.gif' "
      "onclick=\"showCalendarFormID('webform','zd" +
          key + "','" + script_argument(p, p.RiQiGeShi) + script_argument(p, p.ShiJianGeShi) +
          "', '24')\">");
}

void dictionary_picker_control(PageState& p) {
  auto& field = field_row(p);
  p.FieldCanEdit = field("FieldCanEdit").Value();
  p.FieldNameDis = field("FieldNameDis").Value();
  p.FieldIsDuoXuan = field("FieldIsDuoXuan").Value();
  const std::string key = control_key(p);
  p.strHTML = beside_icon(
      kTableOpeningSpaced, typed_text_input(p, "<input type=text style='width:99%'  id='zd"),
      "<img title='选择字典' style='cursor:hand' src='../include/imagesv10/bs.gif' "
      "onclick=\"javascript:openZiDian('zd" +
          key + "', '" + script_argument(p, p.FieldNameDis) + "','" +
          script_argument(p, p.FieldCanEdit) + "','" + script_argument(p, p.FieldIsDuoXuan) +
          "')\">");
}

void department_picker_control(PageState& p) {
  p.strHTML = picker_of_key(p, kTableOpeningSpaced, "<input  style='width:99%' type=text id='zd",
                            "<img title='选择部门' style='cursor:hand' "
                            "src='../include/imagesv10/map.gif' "
                            "onclick=\"javascript:mySlectBuMen('zd");
}

void user_picker_control(PageState& p) {
  p.strHTML = picker_of_key(p, kTableOpening, "<input  style='width:99%' type=text id='zd",
                            "<img title='选择用户' style='cursor:hand' "
                            "src='../include/imagesV10/UFF.gif' "
                            "onclick=\"vbscript:mySlectUser('zd");
}

void lookup_control(PageState& p) {
  p.cxHTML = field_row(p)("cxHTML").Value();
  const std::string key = control_key(p);
  const std::string hidden = "<input type=hidden name='zd" + key + "value' id='zd" + key +
                             "value' value='" + library::html_attribute(p.HiddenValue) + "'>";
  if (library::flag_set(p.cxHTML)) {
    // A Null value has no text to take "&nbsp;" out of: it shows as nothing.
    const std::string value = vb::CStr(p.zdValue & "");
    p.strHTML =
        "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR>"
        "<TD NOWRAP align=center width=20 valign=top>" +
        lookup_icon(key, true) + "</TD><TD width=100% NOWRAP >" + hidden +
        "<textarea  style='WIDTH: 0; HEIGHT: 0;display:none' id='zd" + key + "' name='zd" + key +
        text_control_attributes(p) + "' >" +
        library::textarea_text(vb::Replace(value, "&nbsp;", "")) + "</textarea><span id='SPAN" +
        key + "'>" + value + "</span></TD></TR></TABLE>";
    return;
  }
  p.strHTML =
      beside_icon(kTableOpeningSpaced,
                  hidden + typed_text_input(p, "<input  style='width:99%; '  type=text id='zd"),
                  lookup_icon(key, false));
}

}  // namespace page
