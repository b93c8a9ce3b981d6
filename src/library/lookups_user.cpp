// Look-ups of a user in KE_UserInfor and beside it: display name, id, department, nickname,
// picture, e-mail.
#include <string>
#include <string_view>

#include "library/lookup_query.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Recordset;

std::string user_query(const vb::Variant& U, vb::Here where = vb::Here::current()) {
  return "select * from KE_UserInfor where UserName='" + sql_text(U, where) + "'";
}

bool null_or_empty(const vb::Variant& v) { return v.is_null() || v == ""; }

// shownicheng, userzuncheng and usernicheng: the nickname column `shown`, or TureName when the
// first nickname is unset. usernicheng tests myField1 but shows myField2, as it always has.
vb::Variant nickname(PageContext& ctx, std::string_view routine, const vb::Variant& U,
                     const char* shown) {
  vb::Variant result;
  ctx.routine(routine, [&] {
    ctx.sql = user_query(U);
    const bool found = read_first_row(ctx, ctx.sql, [&](Recordset& rs) {
      if (null_or_empty(rs("myField1"))) {
        result = rs("TureName");
      } else {
        result = rs(shown);
      }
    });
    if (!found) result = "";
  });
  return result;
}

}  // namespace

vb::Variant showusername(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("showusername", [&] {
    if (U == "800") {
      result = "服务器";
      return;
    }
    ctx.sql = user_query(U);
    result = first_value(ctx, ctx.sql, "TureName", "");
  });
  return result;
}

vb::Variant showuserfromid(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("showuserfromid", [&] {
    ctx.sql = "select * from KE_UserInfor where OAID=" + sql_int(id);
    result = first_value(ctx, ctx.sql, "UserName", "");
  });
  return result;
}

vb::Variant showuseridfromname(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("showuseridfromname", [&] {
    ctx.sql = user_query(U);
    result = first_value(ctx, ctx.sql, "OAID", 0);
  });
  return result;
}

vb::Variant showuserdepartmentname(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("showuserdepartmentname", [&] {
    vb::Variant department;
    if (!read_first_row(ctx, user_query(U),
                        [&](Recordset& rs) { department = rs("DepartMentID"); })) {
      result = "";
      return;
    }
    const vb::Variant sql = "select * from KE_Department where DepartMentID=" + sql_int(department);
    result = first_value(ctx, sql, "DepartName", "");
  });
  return result;
}

vb::Variant showuserdepartmentid(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("showuserdepartmentid",
              [&] { result = first_value(ctx, user_query(U), "DepartMentID", 0); });
  return result;
}

vb::Variant shownameandmb(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("shownameandmb", [&] {
    ctx.sql = user_query(U);
    read_first_row(ctx, ctx.sql, [&](Recordset& rs) {
      result = vb::Variant(rs("TureName")) & "【" & rs("Mobile") & "】";
    });
  });
  return result;
}

vb::Variant shownicheng(PageContext& ctx, const vb::Variant& U) {
  return nickname(ctx, "shownicheng", U, "myField1");
}

vb::Variant userzuncheng(PageContext& ctx, const vb::Variant& U) {
  return nickname(ctx, "userzuncheng", U, "myField1");
}

vb::Variant usernicheng(PageContext& ctx, const vb::Variant& U) {
  return nickname(ctx, "usernicheng", U, "myField2");
}

vb::Variant showuserimg(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("showuserimg", [&] {
    ctx.sql = "select faceImg from KE_UserInfor where UserName='" + sql_text(U) + "'";
    vb::Variant image = first_value(ctx, ctx.sql, "faceImg", "");
    if (null_or_empty(image)) image = "1";
    result = image & ".gif";
  });
  return result;
}

vb::Variant getxingmingfromnames(PageContext& ctx, const vb::Variant& names,
                                 const vb::Variant& separator) {
  vb::Variant result;
  ctx.routine("getxingmingfromnames", [&] {
    if (names.is_null()) {
      result = "";
      return;
    }
    vb::Variant parts = vb::Split(names, separator);
    vb::Variant joined = "";
    bool first = true;
    for (long i = 0; i <= vb::UBound(parts); ++i) {
      if (parts[i] == "") continue;
      if (!first) joined = joined & "、";
      joined = joined & showusername(ctx, parts[i]);
      first = false;
    }
    // An unknown user leaves its separator behind; collapse the runs it makes.
    std::string text = vb::CStr(joined);
    while (text.find("、、") != std::string::npos) text = vb::Replace(text, "、、", "、");
    if (!text.empty() && text.back() == ',') text.pop_back();
    result = text;
  });
  return result;
}

vb::Variant funuseremail(PageContext& ctx, const vb::Variant& U) {
  vb::Variant result;
  ctx.routine("funuseremail", [&] {
    ctx.sql = "select * from OA_User_OtherInfor where UserName='" + sql_text(U) + "'";
    const bool found = read_first_row(ctx, ctx.sql, [&](Recordset& rs) {
      result = rs("Email1");
      if (result == "") result = rs("Email2");
    });
    if (!found) result = "";
  });
  return result;
}

}  // namespace library
