// What a placeholder the user may not edit shows.
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

}  // namespace page
