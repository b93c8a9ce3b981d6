// The default value of a form field, from its definition row and the user's session.
#pragma once

#include "page/page_state.h"

namespace page {

// The default-value step of the field key p.zdID: opens p.rsField on its definition row (the
// key through sql_int), copies FieldName and FieldType, and sets p.zdValue by the row's
// DefaultValueType (a query, the sibling page ExecuteFlow.asp, a session value, the date or
// time in the field's formats, or DefaultValue as stored; a Null DefaultValue gives ""). The
// value references of the designer's texts, the last two, are filled; a value from a query,
// the sibling page or the session shows as it is.
// 真假型, 意见型, 签字型 and 流水号型 fields get "". A key without a row leaves zdValue and
// FieldType as they were; so does a code that is not a whole number, without a query. Closes
// p.rsField. A failing default query or sibling page raises.
void set_default_value(PageState& p);

}  // namespace page
