// The department path shown for the "_5" placeholder, and the regular-expression replace the
// form page uses on its template and node remarks.
#include "library/bumen.h"

#include <memory>
#include <set>
#include <string>

#include "library/lookup_query.h"
#include "library/sql_guard.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace library {
namespace {

// One step of bumenparent; `visited` holds the departments already on the path.
void walk_up(PageContext& ctx, const vb::Variant& departmentId, std::set<std::string>& visited) {
  ctx.routine("bumenparent", [&] {
    const std::string key = sql_int(departmentId);
    // A ParentID chain that loops back would otherwise walk for ever.
    if (!visited.insert(key).second) return;
    ctx.sql = "select * from KE_Department where  DepartmentID=" + key;
    vb::Variant parent;
    read_first_row(ctx, ctx.sql, [&](platform::ado::Recordset& rs) {
      if (ctx.bumenlists == "") {
        ctx.bumenlists = rs("DepartName");
      } else {
        ctx.bumenlists = vb::Variant(rs("DepartName")) & "\\" & ctx.bumenlists;
      }
      parent = rs("ParentID");
    });
    if (parent != 0) walk_up(ctx, parent, visited);
  });
}

}  // namespace

vb::Variant getbumenlists(PageContext& ctx, const vb::Variant& departmentId) {
  vb::Variant result;
  ctx.routine("getbumenlists", [&] {
    bumenparent(ctx, departmentId);
    result = ctx.bumenlists;
    ctx.bumenlists = "";
  });
  return result;
}

void bumenparent(PageContext& ctx, const vb::Variant& departmentId) {
  std::set<std::string> visited;
  walk_up(ctx, departmentId, visited);
}

vb::Variant replacetest(PageContext& ctx, const vb::Variant& text, const vb::Variant& pattern,
                        const vb::Variant& replacement) {
  vb::Variant result;
  ctx.routine("replacetest", [&] {
    platform::regexp::RegExp expression;
    expression.Pattern = vb::CStr(pattern);
    expression.IgnoreCase = true;
    expression.MultiLine = true;
    expression.Global = true;
    result = expression.Replace(text, replacement);
  });
  return result;
}

}  // namespace library
