// The form's hidden fields: blanked in the template for every user they are not shown to.
#pragma once

#include <vector>

#include "page/page_state.h"
#include "vb/variant.h"

namespace page {

// The keys (OAID) of the form's hidden fields (isyincang '1') that the session's user may not
// see: every one whose UserNames does not hold ";" & the login name & ";" (letter case
// ignored, the name taken literally), an empty UserNames included; a Null UserNames hides its
// field from nobody. Reads with the Recordset held by `recordset` and ctx.ii.
std::vector<vb::Variant> hidden_field_keys(PageState& p, const vb::Variant& recordset);

// Replaces every placeholder of those fields in the template's own text of p.BiaoDanHTML ("{" &
// key & ":" up to the first "}" on the same line, any letter case) by "&nbsp;", before the
// field pass.
void blank_hidden_fields(PageState& p);

}  // namespace page
