// The id walks: branches below a node, ancestor chains above it, the top-level department.
#include "library/walks.h"

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "library/lookup_query.h"
#include "library/rows.h"
#include "library/sql_guard.h"
#include "library/tree_walk.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Recordset;

// departmentchild and reqtypechild: `accumulator` gets id when it is "", then "," & the id of
// every node below it, depth first.
void collect_branch(PageContext& ctx, std::string_view routine, std::string_view query,
                    std::string_view id_column, vb::Variant& accumulator, const vb::Variant& id) {
  std::string branch;  // appended to the accumulator once, so a large branch costs no copies
  walk_tree(
      ctx, routine, id_column, id, 0,
      [&](const vb::Variant& node, const vb::Variant&) {
        if (accumulator == "") accumulator = node;
        return open_rows(ctx, std::string(query) + sql_int(node));
      },
      [&](Recordset& rows, const vb::Variant&, const vb::Variant&) {
        branch.append(",").append(text_of(rows(id_column)));
        return RowStep{true, {}};
      });
  if (!branch.empty()) accumulator = accumulator & branch;
}

// departmentparent and folderparent: prepends each ancestor of id and "," to `accumulator`
// (set to id when it is ""), up to a node whose parent is 0, a missing node or a node met before.
void collect_ancestors(PageContext& ctx, std::string_view routine, std::string_view query,
                       std::string_view parent_column, vb::Variant& accumulator,
                       const vb::Variant& id) {
  ctx.routine(routine, [&] {
    if (accumulator == "") accumulator = id;
    std::set<std::string> met{sql_int(id)};
    std::string key = *met.begin();
    for (;;) {
      vb::Variant parent;
      const bool found = read_first_row(ctx, std::string(query) + key,
                                        [&](Recordset& rs) { parent = rs(parent_column); });
      if (!found || vb::CLng(parent) == 0) return;
      key = sql_int(parent);
      if (!met.insert(key).second) return;
      accumulator = parent & "," & accumulator;
    }
  });
}

// getparentlists and getfolderparentlists: the chain that `walk` leaves in `accumulator`, which
// is cleared afterwards.
vb::Variant take_chain(PageContext& ctx, std::string_view routine,
                       void (*walk)(PageContext&, const vb::Variant&), vb::Variant& accumulator,
                       const vb::Variant& id) {
  vb::Variant result;
  ctx.routine(routine, [&] {
    walk(ctx, vb::Variant(id));
    result = accumulator;
    accumulator = "";
  });
  return result;
}

constexpr std::string_view kDepartmentById = "select * from KE_Department where  DepartmentID=";

}  // namespace

void departmentchild(PageContext& ctx, const vb::Variant& id) {
  collect_branch(ctx, "departmentchild",
                 "select * from KE_Department where ParentID=", "DepartmentID",
                 ctx.departmentchildlists, id);
}

void reqtypechild(PageContext& ctx, const vb::Variant& id) {
  collect_branch(ctx, "reqtypechild", "select * from KE_ReqType where ParentID=", "ReqTypeID",
                 ctx.reqtypechildlists, id);
}

void departmentparent(PageContext& ctx, const vb::Variant& id) {
  collect_ancestors(ctx, "departmentparent", kDepartmentById, "ParentID", ctx.parentlists, id);
}

void folderparent(PageContext& ctx, const vb::Variant& id) {
  collect_ancestors(ctx, "folderparent", "select * from OA_Document_Folder where  OAID=", "POAID",
                    ctx.folderparentlists, id);
}

vb::Variant getparentlists(PageContext& ctx, const vb::Variant& id) {
  return take_chain(ctx, "getparentlists", departmentparent, ctx.parentlists, id);
}

vb::Variant getfolderparentlists(PageContext& ctx, const vb::Variant& id) {
  return take_chain(ctx, "getfolderparentlists", folderparent, ctx.folderparentlists, id);
}

vb::Variant departlevel(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("departlevel", [&] {
    departmentparent(ctx, vb::Variant(id));
    result = vb::UBound(vb::Split(ctx.parentlists, ",")) + 1L;
    ctx.parentlists = "";
  });
  return result;
}

vb::Variant getfengongsi(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("getfengongsi", [&] {
    std::set<std::string> met;
    vb::Variant department = id;
    // A chain that comes back to a department already passed has no top: the result stays Empty.
    while (met.insert(sql_int(department)).second) {
      vb::Variant parent, own;
      const bool found = read_first_row(ctx, std::string(kDepartmentById) + sql_int(department),
                                        [&](Recordset& rs) {
                                          parent = rs("ParentID");
                                          own = rs("DepartmentID");
                                        });
      if (!found) return;
      if (vb::CLng(parent) == 0) {
        result = own;
        return;
      }
      department = parent;
    }
  });
  return result;
}

}  // namespace library
