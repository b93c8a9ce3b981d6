// Date built-ins: the clock, the parts of a date, Weekday, WeekdayName, DateDiff, DateAdd and
// DateSerial. Dates are taken apart into calendar fields, never compared as raw serials.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>
#include <optional>

#include "vb/builtins.h"
#include "vb/calendar.h"

namespace vb {

namespace {

// The system's week starts on Monday.
constexpr int kSystemFirstDay = vbMonday;

long long floor_mod(long long a, long long b) { return ((a % b) + b) % b; }

// A date argument: Null gives nullopt, Empty day 0, text must be a date.
std::optional<DateFields> date_argument(const Variant& v, Here where) {
  Variant holder;
  const Variant& value = v.value_ref(holder, where);
  if (value.is_null()) return std::nullopt;
  return split_date(CDate(value, where));
}

long long day_of(const DateFields& f) { return day_number(f.year, f.month, f.day); }

Variant part(const Variant& d, int DateFields::*field, Here where) {
  std::optional<DateFields> f = date_argument(d, where);
  if (!f) return Null;
  return Variant(static_cast<short>((*f).*field));
}

int first_day(int first, Here where) {
  if (first < vbUseSystem || first > vbSaturday) raise(kInvalidProcedureCall, where);
  return first == vbUseSystem ? kSystemFirstDay : first;
}

std::string interval_of(const Variant& interval, Here where) {
  std::string text = CStr(interval, where);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

Variant checked_date(const DateFields& f, Here where) {
  Date d = make_date(f);
  if (!in_date_range(d.serial)) raise(kInvalidProcedureCall, where);
  return d;
}

}  // namespace

Variant Now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return make_date({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                    local.tm_min, local.tm_sec});
}

Variant Date_() {
  DateFields today = split_date(CDate(Now()));
  return make_date({today.year, today.month, today.day, 0, 0, 0});
}

Variant Time() {
  DateFields now = split_date(CDate(Now()));
  return make_date({1899, 12, 30, now.hour, now.minute, now.second});
}

Variant Year(const Variant& d, Here where) { return part(d, &DateFields::year, where); }
Variant Month(const Variant& d, Here where) { return part(d, &DateFields::month, where); }
Variant Day(const Variant& d, Here where) { return part(d, &DateFields::day, where); }
Variant Hour(const Variant& d, Here where) { return part(d, &DateFields::hour, where); }
Variant Minute(const Variant& d, Here where) { return part(d, &DateFields::minute, where); }
Variant Second(const Variant& d, Here where) { return part(d, &DateFields::second, where); }

Variant Weekday(const Variant& d, int first, Here where) {
  int start = first_day(first, where);
  std::optional<DateFields> f = date_argument(d, where);
  if (!f) return Null;
  // Day 1 of the serials, 1899-12-31, was a Sunday.
  long long sunday_based = floor_mod(day_of(*f) - 1, 7) + 1;
  return Variant(static_cast<short>(floor_mod(sunday_based - start, 7) + 1));
}

std::string WeekdayName(const Variant& n, bool abbreviate, int first, Here where) {
  // The abbreviated names of the system's zh-CN settings are the full ones.
  static_cast<void>(abbreviate);
  static const char* const kNames[] = {"星期日", "星期一", "星期二", "星期三",
                                       "星期四", "星期五", "星期六"};
  long day = CLng(n, where);
  if (day < 1 || day > 7) raise(kInvalidProcedureCall, where);
  int start = first_day(first, where);
  return kNames[floor_mod(start - 1 + day - 1, 7)];
}

Variant DateDiff(const Variant& interval, const Variant& d1, const Variant& d2, int first,
                 Here where) {
  std::string unit = interval_of(interval, where);
  int start = first_day(first, where);
  std::optional<DateFields> a = date_argument(d1, where);
  std::optional<DateFields> b = date_argument(d2, where);
  if (!a || !b) return Null;

  auto hours = [](const DateFields& f) { return day_of(f) * 24 + f.hour; };
  auto minutes = [&](const DateFields& f) { return hours(f) * 60 + f.minute; };
  // Weeks counted so that each one begins on the day `start` (day 1 was a Sunday).
  auto weeks = [&](const DateFields& f) {
    return (day_of(f) - start - floor_mod(day_of(f) - start, 7)) / 7;
  };
  long long result;
  if (unit == "yyyy")
    result = b->year - a->year;
  else if (unit == "q")
    result = (b->year * 4LL + (b->month - 1) / 3) - (a->year * 4LL + (a->month - 1) / 3);
  else if (unit == "m")
    result = (b->year * 12LL + b->month) - (a->year * 12LL + a->month);
  else if (unit == "d" || unit == "y")
    result = day_of(*b) - day_of(*a);
  else if (unit == "w")
    result = (day_of(*b) - day_of(*a)) / 7;
  else if (unit == "ww")
    result = weeks(*b) - weeks(*a);
  else if (unit == "h")
    result = hours(*b) - hours(*a);
  else if (unit == "n")
    result = minutes(*b) - minutes(*a);
  else if (unit == "s")
    result = (minutes(*b) - minutes(*a)) * 60 + (b->second - a->second);
  else
    raise(kInvalidProcedureCall, where);
  if (result < -2147483648LL || result > 2147483647LL) raise(kOverflow, where);
  return Variant(static_cast<long>(result));
}

Variant DateAdd(const Variant& interval, const Variant& n, const Variant& d, Here where) {
  std::string unit = interval_of(interval, where);
  double count = std::nearbyint(CDbl(n, where));
  std::optional<DateFields> f = date_argument(d, where);
  if (!f) return Null;
  if (!(std::fabs(count) < 1e12)) raise(kInvalidProcedureCall, where);
  const long long k = static_cast<long long>(count);

  // Any count that leaves the date range fails the same way, whatever field it lands in.
  auto add = [&](int& field, long long delta) {
    long long sum = field + delta;
    if (sum < -2000000000LL || sum > 2000000000LL) raise(kInvalidProcedureCall, where);
    field = static_cast<int>(sum);
  };
  auto add_months = [&](long long months) {
    long long total = f->year * 12LL + (f->month - 1) + months;
    if (total < 0 || total > 12LL * 10000) raise(kInvalidProcedureCall, where);
    f->year = static_cast<int>(total / 12);
    f->month = static_cast<int>(total % 12) + 1;
    f->day = std::min(f->day, days_in_month(f->year, f->month));
  };
  if (unit == "yyyy")
    add_months(12 * k);
  else if (unit == "q")
    add_months(3 * k);
  else if (unit == "m")
    add_months(k);
  else if (unit == "d" || unit == "y" || unit == "w")
    add(f->day, k);
  else if (unit == "ww")
    add(f->day, 7 * k);
  else if (unit == "h")
    add(f->hour, k);
  else if (unit == "n")
    add(f->minute, k);
  else if (unit == "s")
    add(f->second, k);
  else
    raise(kInvalidProcedureCall, where);
  return checked_date(*f, where);
}

Variant DateSerial(const Variant& year, const Variant& month, const Variant& day, Here where) {
  int y = CInt(year, where);
  if (y >= 0 && y <= 29)
    y += 2000;
  else if (y >= 30 && y <= 99)
    y += 1900;
  return checked_date({y, CInt(month, where), CInt(day, where), 0, 0, 0}, where);
}

}  // namespace vb
