// Directory look-ups by key: a login name, user id, department, duty, catalogue or plan key
// turned into the one value a page shows.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// Every member reads the first row of one query on a recordset of its own (cursor 1, lock 3 on
// ctx.conn, closed afterwards) and returns a fixed value when there is no row. Unless a member
// says "own text", its SQL text is left in ctx.sql. Unquoted keys must be whole numbers: any
// other value fails with 13 "Type mismatch" before a statement runs; quoted values have their
// quotes doubled. A failure is written and logged under the member's name (the error
// convention of PageContext::routine) and the member returns what it had so far.

// Any table's column by any key column: "select <column> from <table> where <keyColumn> =
// '<keyValue>'". Table and column names are taken as the calling code gives them (constants);
// the key value is quoted. The first column of the first row, else "". Skips failing
// statements silently: a missing table or column gives "" and writes nothing.
vb::Variant getnamefromid(PageContext& ctx, const vb::Variant& table, const vb::Variant& column,
                          const vb::Variant& keyColumn, const vb::Variant& keyValue);
// The same operation under its second name.
vb::Variant getidfromid(PageContext& ctx, const vb::Variant& table, const vb::Variant& column,
                        const vb::Variant& keyColumn, const vb::Variant& keyValue);

// KE_UserInfor by login name: TureName, else "". "800" is the server and gives "服务器" with no
// query (ctx.sql untouched).
vb::Variant showusername(PageContext& ctx, const vb::Variant& U);
// KE_UserInfor by OAID: UserName, else "".
vb::Variant showuserfromid(PageContext& ctx, const vb::Variant& id);
// KE_UserInfor by login name: OAID, else 0.
vb::Variant showuseridfromname(PageContext& ctx, const vb::Variant& U);
// The user's department: DepartName, else "" (user or department missing). Own text.
vb::Variant showuserdepartmentname(PageContext& ctx, const vb::Variant& U);
// The user's DepartMentID, else 0. Own text.
vb::Variant showuserdepartmentid(PageContext& ctx, const vb::Variant& U);
// KE_Department by DepartMentID: DepartName, else "". A Null or "" deptId is first set to 0 in
// the caller's variable. Own text.
vb::Variant showdepartmentname(PageContext& ctx, vb::Variant& deptId);
// dutyList is "key*name,key*name,...": the DutyName of each key found in KE_DutyPower, in list
// order, joined by "、"; keys without a row add nothing. "" when none is found.
vb::Variant showduty(PageContext& ctx, const vb::Variant& dutyList);
// TureName & "【" & Mobile & "】", else Empty.
vb::Variant shownameandmb(PageContext& ctx, const vb::Variant& U);
// myField1 (the user's nickname), or TureName when it is Null or ""; else "".
vb::Variant shownicheng(PageContext& ctx, const vb::Variant& U);
// The same operation as shownicheng under its second name.
vb::Variant userzuncheng(PageContext& ctx, const vb::Variant& U);
// myField2, or TureName when myField1 is Null or "" (the test is on myField1); else "".
vb::Variant usernicheng(PageContext& ctx, const vb::Variant& U);
// faceImg & ".gif", or "1.gif" when the user is missing or has no faceImg.
vb::Variant showuserimg(PageContext& ctx, const vb::Variant& U);
// KE_Customer by login name: TureName, else Empty.
vb::Variant showcustomername(PageContext& ctx, const vb::Variant& U);
// KE_Catalog by KEID: CatName, else "".
vb::Variant showcatlogname(PageContext& ctx, const vb::Variant& id);
// OA_Work_Plan by KEID: name, else "".
vb::Variant showprojectname(PageContext& ctx, const vb::Variant& id);
// The display names (showusername, which overwrites ctx.sql) of the non-empty elements of names
// split at separator, joined by "、"; runs of "、" are collapsed to one and a final "," is cut.
// "" when names is Null.
vb::Variant getxingmingfromnames(PageContext& ctx, const vb::Variant& names,
                                 const vb::Variant& separator);
// OA_User_OtherInfor by login name: Email1, or Email2 when Email1 is "" (a Null Email1 is
// returned as Null); else "".
vb::Variant funuseremail(PageContext& ctx, const vb::Variant& U);

}  // namespace library
