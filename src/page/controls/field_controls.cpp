// The choice of an editable field's control: the title input, or one control per field type.
#include "page/controls/field_controls.h"

#include <string_view>

#include "library/escape.h"
#include "library/sql_guard.h"
#include "page/controls/controls.h"
#include "page/fields/field_key.h"
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

// The field types with a control of their own, in the order they are tried.
struct TypedControl {
  std::string_view type;
  void (*build)(PageState&);
};
constexpr TypedControl kTypedControls[] = {
    {"HTML编辑器型", html_editor_control},
    {"复选框", check_box_control},
    {"下拉列表型", drop_down_control},
    {"真假型", radio_group_control},
    {"日期时间型", date_time_control},
    {"选择型", dictionary_picker_control},
    {"意见型", opinion_control},
    {"签字型", sign_off_control},
    {"选择部门型", department_picker_control},
    {"查询型", lookup_control},
    {"选择用户型", user_picker_control},
    {"附件型", file_control},
    {"多附件型", multi_file_control},
    {"图片型", file_control},
    {"签名文件型", signature_file_control},
    {"备注型", remark_control},
    {"流水号型", serial_number_control},
};

// The control of the field's type (compared exactly); any other type gets the plain text input.
void control_by_type(PageState& p) {
  for (const auto& [type, build] : kTypedControls) {
    if (p.FieldType == type) {
      build(p);
      return;
    }
  }
  plain_text_input(p);
}

}  // namespace

bool build_field_control(PageState& p) {
  if (!begins_with_digit(p.zdID)) {
    title_input(p);
    return true;
  }
  if (!names_a_field(p.zdID)) return false;
  auto& field =
      open_query(p, p.rsField, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan_Fields where oaid=" + library::sql_int(p.zdID));
  if (!(field.RecordCount() > 0)) {
    field.Close();
    return false;
  }
  control_by_type(p);
  return true;
}

}  // namespace page
