// Permission checks: whether a user may use a function (known by its permission code or its
// id), through the roles that are granted it or a direct grant by name; and the stored read
// and write rights of a document folder.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// Grants: OA_Functions (OAID, CodeNumber), OA_FunctionRole (FunctionID, RoleID), OA_Roles
// (OAID, userIds wrapped in ","), OA_SysPower (Code, UserList of ";"-separated login names).
// A role id r is in a list when the list contains "," & r & ","; a login name u is in a user
// list when ";" & list & ";" contains ";" & u & ";" (both case-sensitive). An empty or missing
// login name or user id is in no list, so a request without a user holds nothing by name.
// Every check returns a Boolean; each runs under the error convention under its own name, and a
// failure leaves False. Codes and names enter SQL quoted, ids as whole numbers (13 otherwise).

// True for an administrator (Session "isAdmin" exactly "TRUE"), when a role in Session
// "_roleIds" is granted any OA_Functions row of `code`, or when Session "UserName" is in the
// UserList of code's OA_SysPower row.
vb::Variant haspower(PageContext& ctx, const vb::Variant& code);

// True when the roles of the session's user ("_userId") are granted the FIRST OA_Functions row
// of `code`, or when `user` is in code's OA_SysPower UserList. Administrators get nothing
// extra. Leaves its last query text in ctx.sql.
vb::Variant userhaspower(PageContext& ctx, const vb::Variant& code, const vb::Variant& user);

// True when a role in Session "_roleIds" is granted function `funid`; False for funid "".
vb::Variant hasfunid(PageContext& ctx, const vb::Variant& funid);

// True when a role in `roleids` (","-wrapped) is granted `funid`; False without a query when
// funid is not numeric.
vb::Variant hasfuniduser(PageContext& ctx, const vb::Variant& funid, const vb::Variant& roleids);

// True when a role whose userIds holds Session "_userId" is granted `funid`. `user` plays no
// part: the roles are always those of the session's user. False for funid "".
vb::Variant userhasfunid(PageContext& ctx, const vb::Variant& funid, const vb::Variant& user);

// The rights of document folder `id` as "<read for all>%<readers>%<write for all>%<writers>"
// (a Null column adds nothing); a folder whose isjicheng is "1" takes its parent's (POAID)
// rights, up the chain. "%%%" when the folder, or the parent it inherits from, is missing, and
// when the chain of inheriting folders loops back on itself.
vb::Variant getdocpowers(PageContext& ctx, const vb::Variant& id);

}  // namespace library
