// The form page's own helpers: the department path of a department, and a regular-expression
// replace used to blank hidden fields and cut script blocks.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// The department path of departmentId: the DepartName of the department and of each ancestor
// (KE_Department.ParentID up to 0), top ancestor first, joined by "\". Walks through
// bumenparent, then returns ctx.bumenlists and sets it to "" (the page clears it before the
// walk). A department without a row gives "". Runs under its own error handler.
vb::Variant getbumenlists(PageContext& ctx, const vb::Variant& departmentId);

// One step of the walk: reads "select * from KE_Department where  DepartmentID=<id>" (the key
// must be a whole number, else 13; the text stays in ctx.sql), prepends DepartName and "\" to
// ctx.bumenlists (or sets it to DepartName when it is ""), and goes on with ParentID unless it
// is 0. A department met a second time ends the walk, so a cycle of ParentID values cannot hang
// the page. Each step runs under its own error handler.
void bumenparent(PageContext& ctx, const vb::Variant& departmentId);

// text with every match of pattern replaced by replacement, the expression ignoring case,
// multi-line and global. The arguments are not changed.
vb::Variant replacetest(PageContext& ctx, const vb::Variant& text, const vb::Variant& pattern,
                        const vb::Variant& replacement);

}  // namespace library
