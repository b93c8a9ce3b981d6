// Dates as the pages show them: by format tokens, as the Chinese date line, as year-month-day.
#include <string>
#include <string_view>
#include <utility>

#include "library/formatting.h"
#include "vb/builtins.h"

namespace library {
namespace {

// Two digits with a leading "0" for one.
std::string pad2(const vb::Variant& part) {
  std::string text = vb::CStr(part);
  return text.size() == 1 ? "0" + text : text;
}

// lwformatdatetime and mydategeshi. Longer tokens go first so that "mm" is not read as two
// "m"; the inserted digits can never match a later token.
vb::Variant format_by_tokens(PageContext& ctx, std::string_view routine, const vb::Variant& date,
                             const vb::Variant& format) {
  vb::Variant result;
  ctx.routine(routine, [&] {
    if (!vb::IsDate(date)) {
      result = date;
      return;
    }
    const vb::Variant d = vb::CDate(date);
    const std::string year = vb::CStr(vb::Year(d));
    const vb::Variant month = vb::Month(d), day = vb::Day(d), hour = vb::Hour(d);
    const vb::Variant minute = vb::Minute(d), second = vb::Second(d);
    const std::pair<const char*, std::string> tokens[] = {
        {"yyyy", year},       {"yy", year.substr(year.size() - 2)},
        {"mm", pad2(month)},  {"m", vb::CStr(month)},
        {"dd", pad2(day)},    {"d", vb::CStr(day)},
        {"hh", pad2(hour)},   {"h", vb::CStr(hour)},
        {"nn", pad2(minute)}, {"n", vb::CStr(minute)},
        {"ss", pad2(second)}, {"s", vb::CStr(second)},
    };
    vb::Variant text = format;
    for (const auto& [token, value] : tokens) text = vb::Replace(text, token, value);
    result = text;
  });
  return result;
}

}  // namespace

vb::Variant lwformatdatetime(PageContext& ctx, const vb::Variant& date, const vb::Variant& format) {
  return format_by_tokens(ctx, "lwformatdatetime", date, format);
}

vb::Variant mydategeshi(PageContext& ctx, const vb::Variant& date, const vb::Variant& format) {
  return format_by_tokens(ctx, "mydategeshi", date, format);
}

vb::Variant getsj(PageContext& ctx) {
  vb::Variant result;
  ctx.routine("getsj", [&] {
    const vb::Variant now = ctx.Now();
    // The week is read in the order Weekday counts it (Sunday first), so the name is today's.
    result = vb::CStr(vb::Year(now)) + "年" + pad2(vb::Month(now)) + "月" + pad2(vb::Day(now)) +
             "日 " + vb::WeekdayName(vb::Weekday(now), false, vb::vbSunday) + " " + pad2(vb::Hour(now)) + ":" +
             pad2(vb::Minute(now)) + ":" + pad2(vb::Second(now));
  });
  return result;
}

vb::Variant formatdate(PageContext& ctx, const vb::Variant& date) {
  vb::Variant result;
  ctx.routine("formatdate",
              [&] { result = vb::Year(date) & "-" & vb::Month(date) & "-" & vb::Day(date); });
  return result;
}

}  // namespace library
