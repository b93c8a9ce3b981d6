// What a placeholder the user may not edit shows.
#include "page/fields/read_only_display.h"

#include "library/escape.h"
#include "library/flags.h"
#include "library/formatting.h"
#include "library/sql_guard.h"
#include "page/fields/value_references.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

using library::html_attribute;
using library::html_text;

// A column of the placeholder's field row, read through rsLianJie; Empty without a row.
vb::Variant field_column(PageState& p, const char* column) {
  vb::Variant value;
  p.rsLianJie = new_recordset();
  auto& field =
      open_query(p, p.rsLianJie, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan_Fields where OAID=" + library::sql_int(p.zdID));
  if (field.RecordCount() > 0) value = field(column).Value();
  field.Close();
  p.rsLianJie = vb::Variant();
  return value;
}

// The designer's link text, its value references filled, or else the value.
vb::Variant link_text(PageState& p) {
  p.lianjiename = "";
  const vb::Variant text = field_column(p, "lianjiename");
  if (!vb::IsEmpty(text)) p.lianjiename = with_value_references(p, text, false);
  if (vb::IsNull(p.lianjiename) || vb::IsEmpty(p.lianjiename) || p.lianjiename == "") {
    p.lianjiename = p.zdValue;
  }
  return p.lianjiename;
}

// Values the page built as markup from encoded parts (opinions, file links and lists, pictures,
// the status line), and the types that hold HTML by design.
bool holds_markup(PageState& p) {
  const vb::Variant& type = p.FieldType;
  if (p.zdID == "_6" || type == "HTML编辑器型" || type == "意见型" || type == "签字型") {
    return true;
  }
  if (type == "附件型" || type == "多附件型" || type == "图片型" || type == "签名文件型") {
    return p.value_is_markup;
  }
  if (type != "查询型") return false;
  p.cxHTML = field_column(p, "cxHTML");
  return library::flag_set(p.cxHTML);
}

}  // namespace

std::string read_only_display(PageState& p) {
  if (p.FieldType == "超链接型") {
    const vb::Variant text = link_text(p);
    // An address of any other scheme would run when clicked: it shows as text instead.
    p.zdValue = library::link_address_allowed(p.zdValue)
                    ? "<a href='" + html_attribute(p.zdValue) + "' target='_new'>" +
                          html_text(text) + "</a>"
                    : html_text(p.zdValue);
  } else if (p.FieldType == "电子邮件型") {
    p.zdValue =
        "<a href='mailto:" + html_attribute(p.zdValue) + "' >" + html_text(p.zdValue) + "</a>";
  } else if (p.FieldType == "复选框") {
    p.zdValue = library::flag_set(p.zdValue) ? "<img src='../images/select.gif'>"
                                             : "<img src='../images/disselect.gif'>";
  } else if (p.FieldType == "备注型") {
    p.zdValue = library::getlongtext(p.ctx, html_text(p.zdValue));
  } else if (!holds_markup(p)) {
    p.zdValue = html_text(p.zdValue);
  }
  if (vb::IsNull(p.zdValue) || p.zdValue == "") p.zdValue = "&nbsp;";
  return vb::CStr(p.zdValue);
}

}  // namespace page
