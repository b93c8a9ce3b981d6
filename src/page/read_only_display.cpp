// What a placeholder the user may not edit shows.
#include "page/read_only_display.h"

#include "library/escape.h"
#include "library/flags.h"
#include "library/sql_guard.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

using library::html_attribute;

vb::Variant link_text(PageState& p) {
  p.lianjiename = "";
  p.rsLianJie = new_recordset();
  auto& field = open_query(
      p, p.rsLianJie, p.ctx.sql,
      "select * from OA_Flow_BiaoDan_Fields where OAID=" + library::sql_int(p.zdID));
  if (field.RecordCount() > 0) p.lianjiename = field("lianjiename").Value();
  field.Close();
  p.rsLianJie = vb::Variant();
  if (vb::IsNull(p.lianjiename) || vb::IsEmpty(p.lianjiename) || p.lianjiename == "") {
    p.lianjiename = p.zdValue;
  }
  return p.lianjiename;
}

}  // namespace

std::string read_only_display(PageState& p) {
  if (p.FieldType == "超链接型") {
    const vb::Variant text = link_text(p);
    p.zdValue = "<a href='" + html_attribute(p.zdValue) + "' target='_new'>" + vb::CStr(text) +
                "</a>";
  } else if (p.FieldType == "电子邮件型") {
    p.zdValue = "<a href='mailto:" + html_attribute(p.zdValue) + "' >" + vb::CStr(p.zdValue) +
                "</a>";
  } else if (p.FieldType == "复选框") {
    p.zdValue = library::flag_set(p.zdValue) ? "<img src='../images/select.gif'>"
                                 : "<img src='../images/disselect.gif'>";
  }
  if (vb::IsNull(p.zdValue) || p.zdValue == "") p.zdValue = "&nbsp;";
  return vb::CStr(p.zdValue);
}

}  // namespace page
