// Day serials, calendar fields and the date text the system writes and reads.
#include "vb/calendar.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vb {

namespace {

constexpr long long kSecondsPerDay = 86400;
// 1899-12-30, day 0 of the serials, counted from 1970-01-01.
constexpr long long kEpochShift = -25569;

long long floor_div(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long days_from_civil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = floor_div(y, 400);
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civil_from_days(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = floor_div(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// Day index and seconds of the day, the time rounded to the nearest second.
void split_serial(double serial, long long& day, long long& seconds) {
  double whole = std::trunc(serial);
  day = static_cast<long long>(whole);
  seconds = std::llround(std::fabs(serial - whole) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    ++day;
    seconds -= kSecondsPerDay;
  }
}

bool read_int(std::string_view s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

std::vector<std::string_view> split_on(std::string_view s, std::string_view separators) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || separators.find(s[i]) != std::string_view::npos) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// "2011-9-2", "2011/09/02", "2011.9.2" or "9/2/2011".
bool read_calendar_day(std::string_view token, DateFields& f) {
  for (char sep : {'-', '/', '.'}) {
    if (token.find(sep) == std::string_view::npos) continue;
    auto parts = split_on(token, std::string_view(&sep, 1));
    int a, b, c;
    if (parts.size() != 3 || !read_int(parts[0], a) || !read_int(parts[1], b) ||
        !read_int(parts[2], c)) {
      return false;
    }
    // The year stands first with three or four digits: dates before 1000 are written so.
    if (parts[0].size() == 4 || parts[0].size() == 3) {
      f.year = a, f.month = b, f.day = c;
    } else if (parts[2].size() == 4) {
      f.year = c, f.month = a, f.day = b;
    } else {
      return false;
    }
    return f.year >= 100 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= days_in_month(f.year, f.month);
  }
  return false;
}

// "9:05", "9:05:07", "09:05:07.250"; fractions of a second round to the nearest second.
bool read_time(std::string_view token, DateFields& f, double& fraction) {
  auto parts = split_on(token, ":");
  if (parts.size() < 2 || parts.size() > 3) return false;
  std::string_view seconds = parts.size() == 3 ? parts[2] : std::string_view("0");
  std::size_t point = seconds.find('.');
  fraction = 0;
  if (point != std::string_view::npos) {
    std::string_view digits = seconds.substr(point + 1);
    int scale = 1, value = 0;
    if (digits.empty() || digits.size() > 6 || !read_int(digits, value)) return false;
    for (std::size_t i = 0; i < digits.size(); ++i) scale *= 10;
    fraction = static_cast<double>(value) / scale;
    seconds = seconds.substr(0, point);
  }
  return read_int(parts[0], f.hour) && read_int(parts[1], f.minute) &&
         read_int(seconds, f.second) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 &&
         f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

}  // namespace

bool in_date_range(double serial) { return serial >= kMinDateSerial && serial <= kMaxDateSerial; }

int days_in_month(int year, int month) {
  return static_cast<int>(day_number(year, month + 1, 1) - day_number(year, month, 1));
}

long long day_number(long long year, long long month, long long day) {
  year += floor_div(month - 1, 12);
  month = month - 1 - floor_div(month - 1, 12) * 12 + 1;
  return days_from_civil(year, month, 1) + (day - 1) - kEpochShift;
}

DateFields split_date(Date d) {
  long long day, seconds;
  split_serial(d.serial, day, seconds);
  DateFields f;
  civil_from_days(day + kEpochShift, f.year, f.month, f.day);
  f.hour = static_cast<int>(seconds / 3600);
  f.minute = static_cast<int>(seconds / 60 % 60);
  f.second = static_cast<int>(seconds % 60);
  return f;
}

Date make_date(const DateFields& f) {
  long long seconds = static_cast<long long>(f.hour) * 3600 + f.minute * 60LL + f.second;
  long long day = day_number(f.year, f.month, f.day) + floor_div(seconds, kSecondsPerDay);
  seconds -= floor_div(seconds, kSecondsPerDay) * kSecondsPerDay;
  double time = static_cast<double>(seconds) / kSecondsPerDay;
  // Before day 0 the whole part counts back but the time still counts forward.
  return Date{day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time};
}

std::string format_date(Date d) {
  const DateFields f = split_date(d);
  char time_text[16];
  std::snprintf(time_text, sizeof time_text, "%d:%02d:%02d", f.hour, f.minute, f.second);
  const DateFields day_zero;
  if (f.year == day_zero.year && f.month == day_zero.month && f.day == day_zero.day) {
    return time_text;
  }
  std::string date_text =
      std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day);
  if (f.hour == 0 && f.minute == 0 && f.second == 0) return date_text;
  return date_text + " " + time_text;
}

std::optional<Date> parse_date(std::string_view text) {
  std::vector<std::string_view> tokens;
  for (std::string_view t : split_on(text, " \t")) {
    if (!t.empty()) tokens.push_back(t);
  }
  if (tokens.empty() || tokens.size() > 3) return std::nullopt;

  DateFields f;
  bool have_day = false, have_time = false;
  int meridiem = 0;  // 1 = AM, 2 = PM
  double fraction = 0;
  for (std::string_view t : tokens) {
    if (!have_time && t.find(':') != std::string_view::npos) {
      if (!read_time(t, f, fraction)) return std::nullopt;
      have_time = true;
    } else if (!have_day && !have_time && read_calendar_day(t, f)) {
      have_day = true;
    } else if (have_time && meridiem == 0 && (t == "AM" || t == "am" || t == "上午")) {
      meridiem = 1;
    } else if (have_time && meridiem == 0 && (t == "PM" || t == "pm" || t == "下午")) {
      meridiem = 2;
    } else {
      return std::nullopt;
    }
  }
  if (meridiem != 0) {
    if (f.hour < 1 || f.hour > 12) return std::nullopt;
    f.hour = f.hour % 12 + (meridiem == 2 ? 12 : 0);
  }
  Date d = make_date(f);
  if (fraction != 0) {
    double shift = fraction / kSecondsPerDay;
    d.serial += d.serial >= 0 ? shift : -shift;
  }
  return d;
}

}  // namespace vb
