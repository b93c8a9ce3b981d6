// The detail tables of the form template: each placeholder "$" key ":" caption "$" becomes a
// table of the stored rows, with a script that adds rows where the node lets the user edit it.
#pragma once

#include "page/page_state.h"

namespace page {

// Creates rsField and rsMX for the field steps, then takes the placeholders of BiaoDanHTML in
// order. A placeholder whose key is not numeric stays as it is and takes no number. Each other
// one gets the next number n (MXIndex): its columns from OA_Flow_BiaoDan_FieldGuanLian and
// OA_Flow_BiaoDan_Fields (MXTitles, MXFields, MXWidths, MXCanEdit), its script AddRowMX<n> /
// delMX<n> written to the response at once, and its table, which takes the placeholder's place
// wherever the template wrote it (a table is never searched for placeholders). A key without a definition row, or numeric but not whole (it names no row,
// so no query is built from it), gives a table without columns. A database failure raises
// (the page ends).
void build_detail_tables(PageState& p);

}  // namespace page
