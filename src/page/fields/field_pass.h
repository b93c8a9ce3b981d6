// The field pass over the form template: every placeholder "{code:caption}" becomes a control
// or a displayed value.
#pragma once

#include "page/page_state.h"

namespace page {

// Takes the placeholders of p.BiaoDanHTML once, in order, and for each: settles its code, whether
// it still shows its default, its default (system codes here, field keys by their definition),
// whether the user may edit it, its stored value on an existing record, and then its control
// or its read-only display, which takes every place where the template wrote the placeholder's
// text (never a place inside a value put in before). An editable field key without a
// definition row stays in the template. Failing queries raise.
void fill_field_placeholders(PageState& p);

}  // namespace page
