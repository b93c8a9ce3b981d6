// The editable controls of the form's field placeholders: the title input, the control of a
// field chosen by its type, and the pieces the text-like controls share.
#pragma once

#include <string>

#include "page/page_state.h"

namespace page {

// Builds the control of the current editable placeholder (p.zdID, p.zdValue, p.FieldType,
// p.HiddenValue) into p.strHTML. A code that does not begin with a digit gets the title input
// "zd" + code. Otherwise reopens p.rsField on the field's definition row
// ("select * from OA_Flow_BiaoDan_Fields where oaid=<zdID>", the key through sql_int) and builds
// the control by FieldType; returns false, with p.rsField closed, when the field has no row (the
// placeholder then stays in the template), and so does a code such as "5a" that is not a
// whole number, without a query. On true p.rsField is left open on the row when the
// code is a field key; the field loop replaces the placeholder and closes it. Failing queries
// raise at the failing statement's line.
bool build_field_control(PageState& p);

// The eleven custom attributes (FieldType ... FieldNameDis) that every text-like control
// carries for the client check, from the definition row in p.rsField, each value
// HTML-encoded. Begins with the quote that closes the control's name attribute and ends with
// the last value, unquoted.
std::string text_control_attributes(PageState& p);

// The plain text input of any type without a control of its own, into p.strHTML: id and name
// "zd" + key, the attribute list, and p.zdValue HTML-encoded as its value.
void plain_text_input(PageState& p);

}  // namespace page
