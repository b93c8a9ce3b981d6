// The pieces the field controls share: the definition row, the key, the typed text input.
#include <string>

#include "library/escape.h"
#include "page/controls/controls.h"
#include "page/controls/field_controls.h"
#include "page/fields/value_references.h"
#include "vb/builtins.h"

namespace page {

platform::ado::Recordset& field_row(PageState& p) {
  return p.rsField.as<platform::ado::Recordset>();
}

std::string control_key(PageState& p) {
  return library::html_attribute(field_row(p)("OAID").Value());
}

std::string definition_attribute(PageState& p, const char* column) {
  return library::html_attribute(with_value_references(p, field_row(p)(column).Value(), false));
}

std::string typed_text_input(PageState& p, std::string_view opening) {
  const std::string key = control_key(p);
  return std::string(opening) + key + "' name='zd" + key + text_control_attributes(p) +
         "'    value='" + library::html_attribute(p.zdValue) + "'>";
}

}  // namespace page
