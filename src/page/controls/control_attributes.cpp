// The attribute list of the text-like field controls and the plain text input.
#include <array>
#include <utility>

#include "library/escape.h"
#include "page/controls/controls.h"
#include "page/controls/field_controls.h"
#include "platform/ado/recordset.h"

namespace page {

std::string text_control_attributes(PageState& p) {
  static constexpr std::array<std::pair<const char*, const char*>, 11> kPieces{{
      {"' FieldType='", "FieldType"},
      {"'   FieldHasTime='", "FieldHasTime"},
      {"'   FieldHasDate='", "FieldHasDate"},
      {"'   FieldLength='", "FieldLength"},
      {"'   FieldXianDingChangDu='", "FieldXianDingChangDu"},
      {"'   FieldCanEdit='", "FieldCanEdit"},
      {"'   RiQiGeShi='", "RiQiGeShi"},
      {"'   ShiJianGeShi='", "ShiJianGeShi"},
      {"'   FieldCantNull='", "FieldCantNull"},
      {"'  FieldIsDuoXuan='", "FieldIsDuoXuan"},
      {"' FieldNameDis='", "FieldNameDis"},
  }};
  std::string list;
  for (const auto& [piece, column] : kPieces) {
    list += piece;
    list += definition_attribute(p, column);
  }
  return list;
}

void plain_text_input(PageState& p) {
  auto& field = p.rsField.as<platform::ado::Recordset>();
  const std::string key = library::html_attribute(field("OAID").Value());
  p.strHTML = "<input style='width:99%'  type=text id='zd" + key + "' name='zd" + key +
              text_control_attributes(p) + "'    value='" + library::html_attribute(p.zdValue) +
              "'>";
}

}  // namespace page
