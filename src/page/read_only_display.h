// What a placeholder the user may not edit shows, and the value references of the template.
#pragma once

#include <string>

#include "page/page_state.h"

namespace page {

// The display of the current read-only placeholder from p.zdValue and p.FieldType, left in
// p.zdValue: a link (超链接型, its text the field's lianjiename or else the value), a mail link
// (电子邮件型), a ticked or unticked picture (复选框), else the value as stored; "&nbsp;" for a
// Null or "" result. Values inside attributes are HTML-encoded; text shown as markup is not.
std::string read_only_display(PageState& p);

// Replaces every value reference "{%" key "%}" in p.BiaoDanHTML by the raw stored value of that
// field in the record (no formatting, "" without a record, for a key that is not a whole
// number or names no field, and for a field hidden from the user). Runs over the filled
// template, so a reference inside an inserted value is replaced too.
void fill_value_references(PageState& p);

}  // namespace page
