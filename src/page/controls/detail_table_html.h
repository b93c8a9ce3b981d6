// The markup of the current detail table: its row-adding script and its table with the
// record's stored rows.
#pragma once

#include "page/page_state.h"

namespace page {

// Writes to the response the script element of table n = MXIndex: AddRowMX<n>() appends a row
// of one text input per column of MXFields (and a delete link) to myNowTable<n>; delMX<n>(obj)
// removes the row of the clicked link once the user confirms.
void write_detail_script(PageState& p);

// Sets strHTML to the current table: editable (MXCanEdit) with its add button, inputs and
// delete links, or read-only with the values as text. The stored rows come from the record's
// row (BiaoDanID, BiaoDanRecordID): one row per ","-separated part of the first column; a
// column that is Null or has fewer parts gives empty cells. Uses rs.
void build_detail_table(PageState& p);

}  // namespace page
