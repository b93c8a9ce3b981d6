// Permission checks by code and by function id, and the rights of document folders.
#include "library/permissions.h"

#include <memory>
#include <set>
#include <string>

#include "library/flags.h"
#include "library/lookup_query.h"
#include "library/rows.h"
#include "library/sql_guard.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Recordset;

bool in_role_list(const vb::Variant& list, const vb::Variant& role) {
  return text_of(list).find("," + text_of(role) + ",") != std::string::npos;
}

// A name that is empty would match every list holding an empty entry, and the empty list of a
// code nobody was ever granted by name: it is in no list.
bool in_user_list(const vb::Variant& list, const vb::Variant& user) {
  const std::string name = text_of(user);
  if (name.empty()) return false;
  return (";" + text_of(list) + ";").find(";" + name + ";") != std::string::npos;
}

std::string functions_query(const vb::Variant& code) {
  return "select * from OA_Functions where CodeNumber='" + sql_text(code) + "'";
}

std::string sys_power_query(const vb::Variant& code) {
  return "select * from OA_SysPower where Code='" + sql_text(code) + "'";
}

// The UserList of the first OA_SysPower row of `sql`: "" when there is none or it is Null.
vb::Variant direct_grants(PageContext& ctx, const vb::Variant& sql) {
  return text_of(first_value(ctx, sql, "UserList", ""));
}

// Whether a row of OA_FunctionRole for `funid` names a role of `roles`.
bool granted_to_roles(PageContext& ctx, const vb::Variant& funid, const vb::Variant& roles) {
  auto rs = open_rows(ctx, "select  * from OA_FunctionRole where  FunctionID=" + sql_int(funid));
  bool granted = false;
  const long count = rs->RecordCount();
  for (long i = 1; i <= count && !granted; ++i) {
    granted = in_role_list(roles, (*rs)("RoleID"));
    rs->MoveNext();
  }
  rs->Close();
  return granted;
}

}  // namespace

vb::Variant haspower(PageContext& ctx, const vb::Variant& code) {
  vb::Variant result = false;
  ctx.routine("haspower", [&] {
    if (ctx.Session->get("isAdmin") == "TRUE") {
      result = true;
      return;
    }
    auto rs = open_rows(ctx, functions_query(code));
    const long count = rs->RecordCount();
    for (long i = 1; i <= count; ++i) {
      result = hasfunid(ctx, (*rs)("OAID"));
      if (result == true) break;
      rs->MoveNext();
    }
    rs->Close();
    if (result == false) {
      result =
          in_user_list(direct_grants(ctx, sys_power_query(code)), ctx.Session->get("UserName"));
    }
  });
  return result;
}

vb::Variant userhaspower(PageContext& ctx, const vb::Variant& code, const vb::Variant& user) {
  vb::Variant result = false;
  ctx.routine("userhaspower", [&] {
    ctx.sql = functions_query(code);
    vb::Variant funid;
    if (read_first_row(ctx, ctx.sql, [&](Recordset& rs) { funid = rs("OAID"); })) {
      result = userhasfunid(ctx, funid, user);
    }
    if (result == false) {
      ctx.sql = sys_power_query(code);
      result = in_user_list(direct_grants(ctx, ctx.sql), user);
    }
  });
  return result;
}

vb::Variant hasfunid(PageContext& ctx, const vb::Variant& funid) {
  vb::Variant result = false;
  ctx.routine("hasfunid", [&] {
    if (funid == "") return;
    result = granted_to_roles(ctx, funid, ctx.Session->get("_roleIds"));
  });
  return result;
}

vb::Variant hasfuniduser(PageContext& ctx, const vb::Variant& funid, const vb::Variant& roleids) {
  vb::Variant result = false;
  ctx.routine("hasfuniduser", [&] {
    if (!vb::IsNumeric(funid)) return;
    result = granted_to_roles(ctx, funid, roleids);
  });
  return result;
}

vb::Variant userhasfunid(PageContext& ctx, const vb::Variant& funid, const vb::Variant&) {
  vb::Variant result = false;
  ctx.routine("userhasfunid", [&] {
    if (funid == "") return;
    const vb::Variant user_id = ctx.Session->get("_userId");
    // Without a user id the pattern would be ",," and find every role with an empty entry.
    if (text_of(user_id).empty()) return;

    auto rs =
        open_rows(ctx, "select * from OA_Roles where userIds like '%," + sql_int(user_id) + ",%'");
    vb::Variant roles;
    while (!rs->EOF_()) {
      roles = roles == "" ? "," & vb::Variant((*rs)("OAID")) & ","
                          : roles & vb::Variant((*rs)("OAID")) & ",";
      rs->MoveNext();
    }
    rs->Close();
    result = granted_to_roles(ctx, funid, roles);
  });
  return result;
}

vb::Variant getdocpowers(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("getdocpowers", [&] {
    // A folder that inherits takes its parent's rights; the chain is followed in a loop, and a
    // folder met twice means the chain has no end and no rights.
    std::set<std::string> visited;
    vb::Variant folder = id;
    for (;;) {
      const std::string key = sql_int(folder);
      if (!visited.insert(key).second) {
        result = "%%%";
        return;
      }
      bool inherits = false;
      const bool found = read_first_row(
          ctx, "select * from OA_ZTDocument_Folder where oaid=" + key, [&](Recordset& rs) {
            inherits = flag_set(rs("isjicheng"));
            if (inherits) {
              folder = rs("POAID");
            } else {
              result = vb::Variant(rs("RIsALL")) & "%" & rs("UserReader") & "%" & rs("WIsALL") &
                       "%" & rs("userAll");
            }
          });
      if (!found) result = "%%%";
      if (!found || !inherits) return;
    }
  });
  return result;
}

}  // namespace library
