// The choice of an editable field's control: the title input, or one control per field type.
#include "page/field_controls.h"

#include "library/escape.h"
#include "library/sql_guard.h"
#include "page/field_key.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

bool begins_with_digit(const vb::Variant& code) {
  const std::string text = vb::CStr(code);
  return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

void title_input(PageState& p) {
  const std::string name = library::html_attribute(p.zdID);
  p.strHTML = "<input type=text name='zd" + name + "' id='zd" + name +
              "'  style='width:99%' value='" + library::html_attribute(p.zdValue) + "'>";
}

// One control per field type; a type without a control of its own gets the plain text input.
void control_by_type(PageState& p) { plain_text_input(p); }

}  // namespace

bool build_field_control(PageState& p) {
  if (!begins_with_digit(p.zdID)) {
    title_input(p);
    return true;
  }
  if (!names_a_field(p.zdID)) return false;
  auto& field = open_query(p, p.rsField, p.ctx.sql,
                           "select * from OA_Flow_BiaoDan_Fields where oaid=" +
                               library::sql_int(p.zdID));
  if (!(field.RecordCount() > 0)) {
    field.Close();
    return false;
  }
  control_by_type(p);
  return true;
}

}  // namespace page
