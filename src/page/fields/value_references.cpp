// The value references "{%" key "%}" that the template and the designer's defaults write: the
// stored value of a field.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "library/escape.h"
#include "library/sql_guard.h"
#include "page/fields/field_key.h"
#include "page/fields/hidden_fields.h"
#include "page/fields/read_only_display.h"
#include "page/fields/stored_values.h"
#include "page/fields/template_text.h"
#include "page/work_recordset.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace page {
namespace {

bool is_hidden(const std::vector<vb::Variant>& hidden, const vb::Variant& key) {
  return std::any_of(hidden.begin(), hidden.end(),
                     [&](const vb::Variant& h) { return vb::CDbl(h) == vb::CDbl(key); });
}

// Whether the record table has the column (any letter case, as a column is looked up).
bool has_column(platform::ado::Recordset& record, const vb::Variant& name) {
  const std::string wanted = vb::CStr(vb::LCase(name & ""));
  auto& columns = record.Fields();
  for (long i = 0, count = columns.Count(); i < count; ++i) {
    if (vb::CStr(vb::LCase(vb::Variant(columns.Item(i).Name()))) == wanted) return true;
  }
  return false;
}

// A field whose column the record table lacks gives "", so a stored text that happens to hold
// a reference cannot stop the page for everyone who opens the record.
vb::Variant referenced_value(PageState& p, RecordRow& row, const vb::Variant& key) {
  auto& field =
      open_query(p, p.rsField, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan_Fields where oaid=" + library::sql_int(key));
  if (field.RecordCount() > 0) {
    p.RefFieldName = field("FieldName").Value();
    if (p.BiaoDanRecordID != "") {
      auto& record = row.get(p);
      if (record.RecordCount() > 0 && has_column(record, p.RefFieldName)) {
        p.RefValue = record(p.RefFieldName).Value();
      }
    }
  }
  field.Close();
  return p.RefValue;
}

// The raw stored value that the reference text `reference` ("{%" key "%}") stands for, or "".
vb::Variant reference_value(PageState& p, RecordRow& record, const std::vector<vb::Variant>& hidden,
                            const std::string& reference) {
  p.RefValue = "";
  p.RefIDText = vb::Replace(vb::Replace(reference, "{%", ""), "%}", "");
  p.RefID = p.RefIDText;
  // A number with blanks around it (" 1") still names its field.
  const vb::Variant key = vb::Trim(p.RefID);
  if (vb::IsNumeric(p.RefID) && names_a_field(key) && !is_hidden(hidden, key)) {
    referenced_value(p, record, key);
  }
  if (vb::IsNull(p.RefValue) || vb::IsEmpty(p.RefValue)) p.RefValue = "";
  return p.RefValue;
}

// Fills the references of `text` whose own parts are `parts`, each by `shown` of its value.
template <typename Shown>
void fill_references(PageState& p, vb::Variant& text,
                     std::optional<std::vector<TemplatePart>>& parts, vb::Variant& regex,
                     vb::Variant& matches, Shown shown) {
  if (!p.rsField.is_object()) p.rsField = new_recordset();
  TemplateText references(text, parts, "{%.*?%}", regex, matches);
  const std::vector<std::string>& found = references.found();
  if (found.empty()) return;
  const std::vector<vb::Variant> hidden = hidden_field_keys(p);
  RecordRow record;
  for (std::size_t i = 0; i < found.size(); ++i) {
    p.objMatch2 = matches.as<platform::regexp::Matches>().Item(static_cast<long>(i));
    references.fill(i, shown(reference_value(p, record, hidden, found[i])));
  }
  references.finish();
}

}  // namespace

void fill_value_references(PageState& p) {
  // The value may land in an attribute, a textarea or text: encoded, it is safe in each.
  fill_references(p, p.BiaoDanHTML, p.template_parts, p.regEx, p.Matches,
                  [](const vb::Variant& value) { return library::html_text(value); });
}

vb::Variant with_value_references(PageState& p, const vb::Variant& text, bool markup) {
  vb::Variant filled = text, regex, matches;
  if (vb::CStr(filled).find("{%") == std::string::npos) return filled;
  std::optional<std::vector<TemplatePart>> parts;
  fill_references(p, filled, parts, regex, matches, [&](const vb::Variant& value) {
    return markup ? library::html_text(value) : vb::CStr(value);
  });
  return filled;
}

}  // namespace page
