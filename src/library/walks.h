// Walks of the office system's trees that collect ids instead of writing markup: the branch
// below a department or request type, the ancestors of a department or document folder, the
// top-level department above a department; and the deletion of a document catalogue with its
// whole subtree.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// The walks keep their ids in the accumulators of ctx (","-separated) and read the trees by
// parent id: KE_Department (DepartMentID, ParentID; 0 at the top), KE_ReqType (ReqTypeID,
// ParentID), OA_Document_Folder (OAID, POAID). Ids enter SQL as whole numbers; any other value
// fails with 13 before a statement runs. Every walk runs under the error convention under its
// own name; what it collected before a failure stays collected. A walk stops at an id it has
// already met, so looping parent data cannot hang the page: the ids of the loop are collected
// once each, in the order they were met. Walks run in loops of their own, so the depth of a
// tree is bounded by nothing but the database.

// Sets ctx.departmentchildlists to id when it is "", then appends "," & DepartmentID of every
// department below id, depth first, each followed by its own branch (the database's order).
void departmentchild(PageContext& ctx, const vb::Variant& id);
// The same for request types, into ctx.reqtypechildlists.
void reqtypechild(PageContext& ctx, const vb::Variant& id);

// Sets ctx.parentlists to id when it is "", then prepends each ancestor's id and "," (the
// parent first, the top-level department last), up to a department whose ParentID is 0.
void departmentparent(PageContext& ctx, const vb::Variant& id);
// The same for document folders by POAID, into ctx.folderparentlists.
void folderparent(PageContext& ctx, const vb::Variant& id);

// The ancestor chain "top,...,parent,id" of a department (its own id alone when it has no row);
// ctx.parentlists is "" afterwards.
vb::Variant getparentlists(PageContext& ctx, const vb::Variant& id);
// The same for a document folder; ctx.folderparentlists is "" afterwards.
vb::Variant getfolderparentlists(PageContext& ctx, const vb::Variant& id);
// The number of ids in the department's ancestor chain (1 at the top or without a row);
// ctx.parentlists is "" afterwards.
vb::Variant departlevel(PageContext& ctx, const vb::Variant& id);

// The DepartMentID of the top-level department above id (id's own when it is top-level);
// Empty when a department on the way has no row or the chain loops without reaching the top.
vb::Variant getfengongsi(PageContext& ctx, const vb::Variant& id);

// Deletes catalogue id and every catalogue below it from KE_Catalog, and takes the entry id out
// of every duty's "*"-separated FunList ("5*12*7" loses 12, "125*7" stays), for the catalogue
// and for each catalogue below it, all or nothing (all_or_nothing in transactions.h): after a
// failure nothing is deleted or rewritten, inside a caller's transaction too. Documents of the catalogues stay. Overwrites ctx.sql and ctx.ii.
void deletedocumentfolder(PageContext& ctx, const vb::Variant& id);

}  // namespace library
