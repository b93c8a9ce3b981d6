// The value references "{%" key "%}" that the template and the form designer's own texts write:
// each stands for the stored value of a field of the record.
#pragma once

#include "page/page_state.h"
#include "vb/variant.h"

namespace page {

// Replaces every value reference in the template's own text of p.BiaoDanHTML by the stored
// value of that field in the record, otherwise unformatted and written by the rule of the place
// where the template wrote it (element content, an attribute value in quotes or without, a
// script, an event handler, a link's address or its query string: reference_places.h), so
// that it shows as stored and changes nothing around it; "" without a record, for a key that
// is not a number or names no field, for a field whose column the record table lacks, and for
// a field hidden from the user. A value a pass put in (a stored "{%2%}" a user typed, say)
// shows and posts back as it is.
void fill_value_references(PageState& p);

// `text`, a text of the form's designer that a field or detail table writes into the form (a
// default, a caption, a link text, an option, an attribute of the definition), with its
// references replaced as fill_value_references replaces those of the template: by the raw
// value, which the writer then encodes as it encodes the rest of the text, or, when the text is
// written as markup in element content (`markup`), by the value written for its place in that
// markup. A value put in is never searched again. Anything but a text (Null, Empty, a number)
// comes back as it is.
vb::Variant with_value_references(PageState& p, const vb::Variant& text, bool markup);

}  // namespace page
