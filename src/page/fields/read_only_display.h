// What a placeholder the user may not edit shows, and the value references of the template.
#pragma once

#include <string>

#include "page/page_state.h"
#include "vb/variant.h"

namespace page {

// The display of the current read-only placeholder from p.zdValue and p.FieldType, left in
// p.zdValue: a link (超链接型, its text the field's lianjiename or else the value; an address
// of a scheme other than http, https, ftp or mailto shows as text), a mail link (电子邮件型), a
// ticked or unticked picture (复选框), the text with its line breaks (备注型), the markup the
// page built (opinions, files, pictures, the status line) or that the type holds by design (the
// rich-text type, a 查询型 field with cxHTML "1"), else the value; "&nbsp;" for a Null or ""
// result. Every stored value is HTML-encoded, in attributes and as text alike.
std::string read_only_display(PageState& p);

// Replaces every value reference "{%" key "%}" in p.BiaoDanHTML by the stored value of that
// field in the record, HTML-encoded and otherwise unformatted, so it is safe in an attribute, a
// textarea or as text; "" without a record, for a key that is not a number or names no field,
// for a field whose column the record table lacks, and for a field hidden from the user. Only
// the references the template itself wrote are replaced: a value the field pass put in (a
// stored "{%2%}" a user typed, say) shows and posts back as it is.
void fill_value_references(PageState& p);

// `text`, a text of the form's designer that becomes a field's value (its default as stored in
// the definition), with its references replaced as fill_value_references replaces those of the
// template: by the raw value, which the field's control or display then encodes, or encoded
// already when the field holds markup (`markup`). Opens and closes p.rsField.
vb::Variant with_value_references(PageState& p, const vb::Variant& text, bool markup);

}  // namespace page
