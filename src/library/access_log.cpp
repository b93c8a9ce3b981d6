// The login policy (isallowlogin) and the access log (savelog, oplog) over OA_AnQuan and OA_Log.
#include "library/access_log.h"

#include <array>
#include <memory>
#include <string>

#include "library/flags.h"
#include "library/sql_guard.h"
#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Recordset;

constexpr char kApplicationLog[] = "应用日志";
constexpr char kSecurityLog[] = "安全日志";

void write_log_row(PageContext& ctx, const char* kind, const vb::Variant& remark,
                   const char* flag) {
  const auto& Session = *ctx.Session;
  const std::string sql =
      "insert into [OA_Log](LogType,IPAddress,UserName,Remark,IsDengLu) values('" +
      std::string(kind) + "','" + sql_text(Session.get("_LogUserIPAddress")) + "','" +
      sql_text(Session.get("_LogUserName")) + "','" + sql_text(remark) + "','" + flag + "')";
  ctx.conn.as<platform::ado::Connection>().Execute(sql);
}

// The settings row's columns the policy reads, each with the value it takes when the column
// is Null or the table is empty.
struct Settings {
  vb::Variant NotValid = "0", ISIP = "0", IPList = "", isYunXu = "1", isWeek = "0";
  std::array<vb::Variant, 7> SM = {"1", "1", "1", "1", "1", "1", "1"};
  vb::Variant ISTime = "0", SHour = "1", SMinute = "1", EHour = "1", EMinute = "1";
};

Settings read_settings(PageContext& ctx) {
  Settings s;
  auto rs = std::make_shared<Recordset>();
  rs->Open("select top 1 * from OA_AnQuan", ctx.conn, 1, 3);
  if (rs->RecordCount() > 0) {
    auto take = [&](const char* column, vb::Variant& into) {
      const vb::Variant v = (*rs)(column);
      if (!v.is_null()) into = v;
    };
    take("NotValid", s.NotValid);
    take("ISIP", s.ISIP);
    take("IPList", s.IPList);
    take("isYunXu", s.isYunXu);
    take("isWeek", s.isWeek);
    for (int day = 0; day < 7; ++day) take(("SM" + std::to_string(day + 1)).c_str(), s.SM[day]);
    take("ISTime", s.ISTime);
    take("SHour", s.SHour);
    take("SMinute", s.SMinute);
    take("EHour", s.EHour);
    take("EMinute", s.EMinute);
  }
  rs->Close();
  return s;
}

bool address_allowed(const Settings& s, const vb::Variant& address) {
  bool allowed = flag_set(s.isYunXu);
  const vb::Variant entries = vb::Split(s.IPList, ",");
  for (long i = 0; i <= vb::UBound(entries); ++i) {
    const vb::Variant& entry = entries[i];
    if (entry != "" && vb::Left(address, vb::Len(entry)) == entry) {
      allowed = !flag_set(s.isYunXu);
      break;
    }
  }
  return allowed;
}

vb::Variant window_edge(const vb::Variant& today, const vb::Variant& hour,
                        const vb::Variant& minute) {
  return vb::Year(today) & "-" & vb::Month(today) & "-" & vb::Day(today) & " " & hour & ":" &
         minute & ":00";
}

// Only "0" refuses a day; a Null day flag has taken "1" in read_settings.
bool day_allowed(const Settings& s, const vb::Variant& now) {
  if (!flag_set(s.isWeek)) return true;
  const long day = vb::CLng(vb::Weekday(now, vb::vbMonday));
  return s.SM[day - 1] != "0";
}

// Raises 13 when the start is a time and the end is not.
bool window_allowed(const Settings& s, const vb::Variant& now) {
  if (!flag_set(s.ISTime)) return true;
  const vb::Variant start = window_edge(now, s.SHour, s.SMinute);
  if (!vb::IsDate(start)) return true;
  const vb::Variant end = window_edge(now, s.EHour, s.EMinute);
  return vb::DateDiff("n", start, now) >= 0 && vb::DateDiff("n", now, end) >= 0;
}

}  // namespace

vb::Variant isallowlogin(PageContext& ctx) {
  vb::Variant result = true;
  ctx.routine("isallowlogin", [&] {
    const auto& Session = *ctx.Session;
    if (vb::LCase(Session.get("_LogUserName")) == "sa") return;
    const Settings s = read_settings(ctx);
    const vb::Variant now = ctx.Now();
    const bool address_ok =
        !flag_set(s.ISIP) || address_allowed(s, Session.get("_LogUserIPAddress"));
    const bool day_ok = day_allowed(s, now);
    // A refused address or day stays refused when a broken window end ends the check early.
    if (!address_ok || !day_ok) result = false;
    const bool time_ok = window_allowed(s, now) && day_ok;
    if (!time_ok) result = false;
    if (flag_set(s.NotValid)) {
      if (!address_ok) write_log_row(ctx, kSecurityLog, "非法IP地址", "1");
      if (!time_ok) write_log_row(ctx, kSecurityLog, "非法时间", "1");
    }
  });
  return result;
}

void savelog(PageContext& ctx, const vb::Variant& kind, const vb::Variant& isLogin) {
  vb::Variant NotValid, LoginLog;
  bool found = false;
  ctx.resume_next([&] {
    auto rs = std::make_shared<Recordset>();
    rs->Open("select top 1 * from OA_AnQuan", ctx.conn, 1, 3);
    if (rs->RecordCount() > 0) {
      found = true;
      NotValid = (*rs)("NotValid");
      LoginLog = (*rs)("LoginLog");
    }
    rs->Close();
  });
  if (!found) return;
  ctx.resume_next([&] {
    if (kind == "1") {
      if (!flag_set(LoginLog)) return;
      if (isLogin == "1") {
        write_log_row(ctx, kApplicationLog, "系统登陆", "1");
      } else {
        write_log_row(ctx, kApplicationLog, "系统退出", "0");
      }
    } else if (flag_set(NotValid)) {
      write_log_row(ctx, kSecurityLog, "非法用户", "1");
    }
  });
}

void oplog(PageContext& ctx, const vb::Variant& remark) {
  ctx.resume_next([&] { write_log_row(ctx, kApplicationLog, remark, "1"); });
}

}  // namespace library
