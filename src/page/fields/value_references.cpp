// The value references "{%" key "%}" that the template and the designer's own texts write: the
// stored value of a field.
#include "page/fields/value_references.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/sql_guard.h"
#include "page/fields/hidden_fields.h"
#include "page/fields/reference_places.h"
#include "page/fields/stored_values.h"
#include "page/fields/template_text.h"
#include "page/work_recordset.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace page {

// What the references of one page stand for, looked up once each: nothing writes the record,
// the field definitions or the hidden lists while the page fills its form. It reads with
// recordsets of its own, so a control that holds rsField or rs open on its rows can fill the
// references of its texts.
class ReferenceLookup {
 public:
  // The raw stored value that the reference text `reference` ("{%" key "%}") stands for, or "";
  // leaves it in p.RefValue.
  const vb::Variant& value(PageState& p, const std::string& reference);

 private:
  vb::Variant stored_value(PageState& p, const vb::Variant& key);

  vb::Variant definitions_ = new_recordset();
  std::optional<std::vector<vb::Variant>> hidden_;
  RecordRow record_;
  std::unordered_map<std::string, vb::Variant> values_;  // by the reference's text
};

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

ReferenceLookup& lookup(PageState& p) {
  if (!p.reference_lookup) p.reference_lookup = std::make_shared<ReferenceLookup>();
  return *p.reference_lookup;
}

// Fills the references of `text` whose own parts are `parts`, each by its value written for the
// place where it stands (`markup`) or as it is; `current` takes each match in turn.
void fill_references(PageState& p, vb::Variant& text,
                     std::optional<std::vector<TemplatePart>>& parts, vb::Variant& regex,
                     vb::Variant& matches, vb::Variant& current, bool markup) {
  TemplateText references(text, parts, "{%.*?%}", regex, matches);
  const std::vector<std::string>& found = references.found();
  if (found.empty()) return;
  std::vector<ReferencePlace> places;
  if (markup) {
    std::vector<ReferenceSpan> spans;
    for (std::size_t i = 0; i < found.size(); ++i) {
      spans.push_back({references.offset(i), found[i].size()});
    }
    places = reference_places(vb::CStr(text), spans);
  }
  for (std::size_t i = 0; i < found.size(); ++i) {
    current = matches.as<platform::regexp::Matches>().Item(static_cast<long>(i));
    const vb::Variant& value = lookup(p).value(p, found[i]);
    references.fill_at(i, markup ? written_for(places[i], value) : vb::CStr(value));
  }
  references.finish();
}

}  // namespace

// A field whose column the record table lacks gives "", so a stored text that happens to hold
// a reference cannot stop the page for everyone who opens the record.
vb::Variant ReferenceLookup::stored_value(PageState& p, const vb::Variant& key) {
  vb::Variant value;
  auto& field =
      open_query(p, definitions_, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan_Fields where oaid=" + library::sql_int(key));
  if (field.RecordCount() > 0) {
    p.RefFieldName = field("FieldName").Value();
    if (p.BiaoDanRecordID != "") {
      auto& record = record_.get(p);
      if (record.RecordCount() > 0 && has_column(record, p.RefFieldName)) {
        value = record(p.RefFieldName).Value();
      }
    }
  }
  field.Close();
  return value;
}

const vb::Variant& ReferenceLookup::value(PageState& p, const std::string& reference) {
  p.RefValue = "";
  p.RefIDText = vb::Replace(vb::Replace(reference, "{%", ""), "%}", "");
  p.RefID = p.RefIDText;
  const auto known = values_.find(reference);
  if (known != values_.end()) {
    p.RefValue = known->second;
    return p.RefValue;
  }
  // Any text that reads as a whole number (" 1", "1.0", "1e1", "&H1") names the field of that
  // number, as the database finds it by the key written into its query; a fraction names none.
  const auto key =
      vb::IsNumeric(p.RefID) ? library::sql_whole_number(p.RefID) : std::optional<std::string>();
  if (key) {
    if (!hidden_) hidden_ = hidden_field_keys(p, definitions_);
    if (!is_hidden(*hidden_, *key)) p.RefValue = stored_value(p, *key);
  }
  if (vb::IsNull(p.RefValue) || vb::IsEmpty(p.RefValue)) p.RefValue = "";
  values_.emplace(reference, p.RefValue);
  return p.RefValue;
}

void fill_value_references(PageState& p) {
  fill_references(p, p.BiaoDanHTML, p.template_parts, p.regEx, p.Matches, p.objMatch2, true);
}

vb::Variant with_value_references(PageState& p, const vb::Variant& text, bool markup) {
  // Only a text can hold a reference; most hold none.
  if (!text.is_string() || text.str().find("{%") == std::string::npos) return text;
  vb::Variant filled = text, regex, matches, current;
  std::optional<std::vector<TemplatePart>> parts;
  fill_references(p, filled, parts, regex, matches, current, markup);
  return filled;
}

}  // namespace page
