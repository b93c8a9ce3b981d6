// The office system's three trees (departments with their users, document catalogues with
// their documents, request types) written as indented drop-down options or as collapsible
// outlines, for pages that put them inside a select element or an outline container.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// The renderers take the id of the node whose sub-nodes they write and its depth `level` (0 as
// a rule; the rows of a node at level n are indented n + 1 times), write straight into the
// response and return nothing. Each walks its tree depth first, a node's sub-nodes following
// it directly, without recursion on the thread's stack; a node met a second time in one walk
// (looping parent data) is passed over. Each node's walk runs under the error convention under
// the renderer's name: a failure ends that node's walk, what was written stays, and the walk
// goes on with the next sub-node of its parent. Ids enter SQL as whole numbers (13 otherwise),
// names quoted. Stored names are written HTML-encoded as element content and in attributes; in
// a script string inside an attribute they are escaped for the script, then the attribute; in
// an address's query string they are URL-encoded. They overwrite ctx.sql with their tree
// queries and ctx.jj through stringcount.

// text repeated count + 1 times (text itself when count is below 1). Leaves ctx.jj as the
// counting loop leaves it: the number of repeats added, plus 1.
vb::Variant stringcount(PageContext& ctx, const vb::Variant& text, const vb::Variant& count);
// Writes text count times (nothing when count is below 1); ctx.jj as stringcount leaves it.
void writecountsign(PageContext& ctx, const vb::Variant& text, const vb::Variant& count);
// Writes one "<td nowrap class=DepartLine height=20></td>" when n > 0.
void writecountsigns(PageContext& ctx, const vb::Variant& n);

// Options "<OPTION value=<id>>" & stringcount("|--", level) & name & "</OPTION>" of the
// departments (KE_Department by ParentID) below id, each followed by its own.
void tabshowdepartmentchild(PageContext& ctx, const vb::Variant& id, const vb::Variant& level);
// The same for request types (KE_ReqType by ParentID).
void tabshowreqtypechild(PageContext& ctx, const vb::Variant& id, const vb::Variant& level);
// Options of the users of department id (any AccountState) valued by their IPAddress, or
// 'NONE' without one, then of its sub-departments valued 'NONE', each followed by its own.
void listuser(PageContext& ctx, const vb::Variant& id, const vb::Variant& level);

// Outline of department id: its active users by OrderNumber (blue and linked when on line in
// KE_PersonOnline, gray when not), then a block per sub-department holding its own outline.
void tabshowdepartmentchildandusername(PageContext& ctx, const vb::Variant& id,
                                       const vb::Variant& level);
// Outline of catalogue id: its documents, newest first, for holders of "CHKDOS<id>"; then a
// block per sub-catalogue, newest first, for holders of "CHKDOP<id>" or "CHKDOS<id>" (the id of
// catalogue id, tested for each row); a sub-catalogue not shown is left out with its subtree.
void tabshowdocumentstructure(PageContext& ctx, const vb::Variant& id, const vb::Variant& level);
// Catalogue chooser below catalogue id: a line with a radio button per catalogue whose own
// "CHKDOP<KEID>" the user holds, and for every catalogue the block of its own sub-catalogues.
void showdoctree(PageContext& ctx, const vb::Variant& id, const vb::Variant& level);

// ReqTypeName of request type id, or Empty; leaves its query text in ctx.sql.
vb::Variant showreqtypename(PageContext& ctx, const vb::Variant& id);

}  // namespace library
