// The login policy and the access log: who may log in from where and when, and the OA_Log rows
// of logins, logouts, refusals and operations.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// The settings are the first row of OA_AnQuan; the log rows name the Session's _LogUserName and
// _LogUserIPAddress, their values quoted into the statement.

// True when the login of Session _LogUserName from _LogUserIPAddress may proceed now: "sa" in
// any case always may. Otherwise the address is checked against IPList (ISIP "1"; prefixes;
// isYunXu "1" forbids those listed, else allows only those), the weekday against SM1 (Monday) to
// SM7 (isWeek "1"), and the time against the window SHour:SMinute to EHour:EMinute, first and
// last minute included (ISTime "1"; a start that is not a date turns the check off). Null
// settings take their defaults. With NotValid "1" a refused address is logged as "非法IP地址"
// and a refused day or time as "非法时间". Runs under the error convention: an end of the
// window that is not a date is reported and the result stays True.
vb::Variant isallowlogin(PageContext& ctx);

// kind "1": with LoginLog "1", the login row ("系统登陆", isLogin "1") or the logout row
// ("系统退出"). Any other kind: with NotValid "1", the invalid-user row ("非法用户"). Every
// failing statement is skipped silently; without a settings row nothing is written.
void savelog(PageContext& ctx, const vb::Variant& kind, const vb::Variant& isLogin);

// The application row with the caller's remark; a failure is skipped silently.
void oplog(PageContext& ctx, const vb::Variant& remark);

}  // namespace library
