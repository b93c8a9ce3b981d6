// Look-ups by table key: any column of any table, departments, duties, customers, catalogues
// and work plans.
#include <memory>
#include <string>

#include "library/lookup_query.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Recordset;

// getnamefromid and getidfromid: every statement may fail on its own and is skipped, so a
// missing table or column gives "" and nothing is written.
vb::Variant value_by_key(PageContext& ctx, const vb::Variant& table, const vb::Variant& column,
                         const vb::Variant& keyColumn, const vb::Variant& keyValue) {
  vb::Variant result;
  ctx.resume_next([&] {
    ctx.sql = vb::Variant("select ") & column & " from " & table & " where " & keyColumn & " = '" &
              sql_text(keyValue) & "'";
  });
  auto rs = std::make_shared<Recordset>();
  ctx.resume_next([&] { rs->Open(ctx.sql, ctx.conn, 1, 3); });
  bool found = false;
  ctx.resume_next([&] { found = rs->RecordCount() > 0; });
  ctx.resume_next([&] {
    if (found) {
      result = (*rs)(0);
    } else {
      result = "";
    }
  });
  ctx.resume_next([&] { rs->Close(); });
  return result;
}

}  // namespace

vb::Variant getnamefromid(PageContext& ctx, const vb::Variant& table, const vb::Variant& column,
                          const vb::Variant& keyColumn, const vb::Variant& keyValue) {
  return value_by_key(ctx, table, column, keyColumn, keyValue);
}

vb::Variant getidfromid(PageContext& ctx, const vb::Variant& table, const vb::Variant& column,
                        const vb::Variant& keyColumn, const vb::Variant& keyValue) {
  return value_by_key(ctx, table, column, keyColumn, keyValue);
}

vb::Variant showdepartmentname(PageContext& ctx, vb::Variant& deptId) {
  vb::Variant result;
  ctx.routine("showdepartmentname", [&] {
    if (deptId.is_null() || deptId == "") deptId = 0;
    const vb::Variant sql = "select * from KE_Department where DepartMentID=" + sql_int(deptId);
    result = first_value(ctx, sql, "DepartName", "");
  });
  return result;
}

vb::Variant showduty(PageContext& ctx, const vb::Variant& dutyList) {
  vb::Variant result;
  ctx.routine("showduty", [&] {
    result = "";
    vb::Variant duties = vb::Split(dutyList, ",");
    bool any = false;
    for (long i = 0; i <= vb::UBound(duties); ++i) {
      const vb::Variant star = vb::InStr(duties[i], "*");
      const vb::Variant key = star > 0 ? vb::Left(duties[i], star - vb::Variant(1)) : duties[i];
      ctx.sql = "select * from KE_DutyPower where KEID= " + sql_int(key);
      read_first_row(ctx, ctx.sql, [&](Recordset& rs) {
        if (any) result = result & "、";
        result = result & rs("DutyName");
        any = true;
      });
    }
  });
  return result;
}

vb::Variant showcustomername(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("showcustomername", [&] {
    ctx.sql = "select * from KE_Customer where UserName='" + sql_text(U) + "'";
    result = first_value(ctx, ctx.sql, "TureName", vb::Variant());
  });
  return result;
}

vb::Variant showcatlogname(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("showcatlogname", [&] {
    ctx.sql = "select * from KE_Catalog where KEID=" + sql_int(id);
    result = first_value(ctx, ctx.sql, "CatName", "");
  });
  return result;
}

vb::Variant showprojectname(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("showprojectname", [&] {
    ctx.sql = "select * from OA_Work_Plan where KEID=" + sql_int(id);
    result = first_value(ctx, ctx.sql, "name", "");
  });
  return result;
}

}  // namespace library
