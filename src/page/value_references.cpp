// The value references "{%" key "%}" of the filled template: the raw stored value of a field.
#include <algorithm>
#include <string>
#include <vector>

#include "library/sql_guard.h"
#include "page/field_key.h"
#include "page/hidden_fields.h"
#include "page/placeholder_text.h"
#include "page/read_only_display.h"
#include "page/stored_values.h"
#include "page/work_recordset.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace page {
namespace {

bool is_hidden(const std::vector<vb::Variant>& hidden, const vb::Variant& key) {
  return std::any_of(hidden.begin(), hidden.end(),
                     [&](const vb::Variant& h) { return vb::CDbl(h) == vb::CDbl(key); });
}

vb::Variant referenced_value(PageState& p, RecordRow& row) {
  auto& field = open_query(
      p, p.rsField, p.ctx.sql,
      "select * from OA_Flow_BiaoDan_Fields where oaid=" + library::sql_int(p.RefID));
  if (field.RecordCount() > 0) {
    p.RefFieldName = field("FieldName").Value();
    if (p.BiaoDanRecordID != "") {
      auto& record = row.get(p);
      if (record.RecordCount() > 0) p.RefValue = record(p.RefFieldName).Value();
    }
  }
  field.Close();
  return p.RefValue;
}

}  // namespace

void fill_value_references(PageState& p) {
  if (!p.rsField.is_object()) p.rsField = new_recordset();
  const std::vector<std::string> found =
      find_placeholders("{%.*?%}", p.BiaoDanHTML, p.regEx, p.Matches);
  if (found.empty()) return;
  PlaceholderText text(vb::CStr(p.BiaoDanHTML), "{%", measure_value_reference, found);
  const std::vector<vb::Variant> hidden = hidden_field_keys(p);
  RecordRow record;

  for (std::size_t i = 0; i < found.size(); ++i) {
    p.objMatch2 = p.Matches.as<platform::regexp::Matches>().Item(static_cast<long>(i));
    p.RefValue = "";
    p.RefIDText = vb::Replace(vb::Replace(found[i], "{%", ""), "%}", "");
    p.RefID = p.RefIDText;
    if (vb::IsNumeric(p.RefID) && names_a_field(p.RefID) && !is_hidden(hidden, p.RefID)) {
      referenced_value(p, record);
    }
    if (vb::IsNull(p.RefValue) || vb::IsEmpty(p.RefValue)) p.RefValue = "";
    text.fill(i, vb::CStr(p.RefValue));
  }
  p.BiaoDanHTML = text.text();
}

}  // namespace page
