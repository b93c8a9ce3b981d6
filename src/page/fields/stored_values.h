// The value a placeholder of an existing record shows in place of its default, and the office
// document's bookmark entry for it.
#pragma once

#include <memory>

#include "page/page_state.h"
#include "platform/ado/recordset.h"

namespace page {

// The record's row in OA_FLOW_<BiaoDanID>_Main, read once for all the placeholders of a pass:
// nothing writes the row while the page fills its form, and reading a row as wide as the form
// once per field would make the pass grow with the square of the number of fields.
class RecordRow {
 public:
  // The row (RecordCount 0 when the record has none), read on first use with
  // "select * from OA_FLOW_<BiaoDanID>_Main where OAID=<BiaoDanRecordID>" (both through
  // sql_int, the text left in ctx.sql). A failing query raises, and is tried again next time.
  platform::ado::Recordset& get(PageState& p);

 private:
  std::shared_ptr<platform::ado::Recordset> row_;
};

// Takes the record's row from `row`. Without a row,
// p.zdValue stays and no bookmark entry is added. Otherwise appends one entry to
// BookMarkNames/BookMarkValues and sets p.zdValue: for "_1" to "_6" the number, title,
// submitter, date, department path and status text; for a field key its value by field type
// (stored_field_value). The caller runs it only for a record whose field lost its default.
// A field key without a definition row, or a column the record table lacks, raises.
void read_stored_value(PageState& p, RecordRow& row);

// The value of the field key p.zdID from the record's row `record`, by its type: the opinion or
// sign-off table, a download link, the file list, a picture, the text with line breaks, or the
// column as stored. Opens and closes p.rsField; returns the bookmark name (FieldName trimmed,
// a leading "QM" cut).
vb::Variant stored_field_value(PageState& p, platform::ado::Recordset& record);

}  // namespace page
