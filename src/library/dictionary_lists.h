// Dictionary select lists: the items of one category of OA_ZiDian as the HTML of a drop-down
// list, as a search list with an "all" entry, or, for printing, as the stored value alone.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// getmetafinally builds the list of the category parentName, the items of every OA_ZiDian row
// of that name with ZDType '1', in OrderNumber order. It leaves its query in ctx.strsql (the
// name quoted with its quotes doubled) and runs it through ctx.conn's Execute.
//  - A Null selValue is first set to "0" in the caller's variable.
//  - No item: the text "内部错误：请在后台字典中添加“<parentName>”目录项。", whatever the mode.
//  - mode "print": selValue itself as text, HTML-encoded.
//  - mode "Query": valueMode is set to 0 in the caller's variable; a list whose first option
//    is "全部" with an empty value, then one option per item valued by OAID.
//  - any other mode: a list whose first option is empty with the value 0, then one option per
//    item: valueMode 1 by name (no value attribute), 2 by ZDCode, else by OAID. mode and the
//    cssClass argument are written into the opening tag as they are (callers add attributes
//    there); cssClass "-1" means the class "select".
// The item that matches selValue is marked selected (name and ZDCode by the Variant rules,
// OAID as text). Item names are written HTML-encoded, so a name cannot leave its option; a
// ZDCode that could end an unquoted attribute value is written quoted and encoded.
// A failure is written and logged under the function's name; the result is then "".
vb::Variant getmetafinally(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                           vb::Variant& selValue, vb::Variant& valueMode, vb::Variant& cssClass,
                           vb::Variant& mode);
// The same list, whose changes call the client procedure named ctlName followed by "Change".
vb::Variant getmetafinallyevent(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                                vb::Variant& selValue, vb::Variant& valueMode,
                                vb::Variant& cssClass, vb::Variant& mode);

// The wrappers pass their caller's variables through (so write-backs reach the caller) and
// supply the rest as temporaries.
// getmetaex with valueMode 1 and cssClass "-1".
vb::Variant getmeta(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                    vb::Variant& selValue);
// getmetafinally with valueMode 1, cssClass "-1" and the caller's mode.
vb::Variant getmetaa(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                     vb::Variant& selValue, vb::Variant& mode);
// getmetafinally with the mode "".
vb::Variant getmetaex(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                      vb::Variant& selValue, vb::Variant& valueMode, vb::Variant& cssClass);
// getmetafinallyevent with the mode "".
vb::Variant getmetaevent(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                         vb::Variant& selValue, vb::Variant& valueMode, vb::Variant& cssClass);

}  // namespace library
