// The value a placeholder of an existing record shows in place of its default, and the office
// document's bookmark entry for it.
#pragma once

#include "page/page_state.h"
#include "platform/ado/recordset.h"

namespace page {

// Reads the record's row (OA_FLOW_<BiaoDanID>_Main, OAID = BiaoDanRecordID). Without a row,
// p.zdValue stays and no bookmark entry is added. Otherwise appends one entry to
// BookMarkNames/BookMarkValues and sets p.zdValue: for "_1" to "_6" the number, title,
// submitter, date, department path and status text; for a field key its value by field type
// (stored_field_value). The caller runs it only for a record whose field lost its default.
// A field key without a definition row, or a column the record table lacks, raises.
void read_stored_value(PageState& p);

// The value of the field key p.zdID from the record's row `record`, by its type: the opinion or
// sign-off table, a download link, the file list, a picture, the text with line breaks, or the
// column as stored. Opens and closes p.rsField; returns the bookmark name (FieldName trimmed,
// a leading "QM" cut).
vb::Variant stored_field_value(PageState& p, platform::ado::Recordset& record);

}  // namespace page
