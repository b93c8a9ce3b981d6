// The page body's work recordsets: created once into a page variable, reopened for each query.
#pragma once

#include <string>

#include "page/page_state.h"
#include "platform/ado/recordset.h"
#include "vb/variant.h"

namespace page {

// A new, closed Recordset to keep in a page variable (rs, rs2, rsOldHeader, rsConnect...).
vb::Variant new_recordset();

// Puts `text` into `text_var` (ctx.sql or ctx.strsql, whichever the query keeps its text in)
// and opens the Recordset held by `rs` on it over ctx.conn, cursor 1, lock 3. Raises what
// Recordset::Open raises, and 424/13 when `rs` holds no Recordset, at the caller's line.
platform::ado::Recordset& open_query(PageState& p, const vb::Variant& rs, vb::Variant& text_var,
                                     std::string text, vb::Here where = vb::Here::current());

}  // namespace page
