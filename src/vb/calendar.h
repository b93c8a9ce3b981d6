// Calendar arithmetic on VB dates (day serials from 1899-12-30) and the date text the system
// writes and reads: "2011-9-2 9:05:07".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vb/variant.h"

namespace vb {

// Fields of a date; the time is rounded to the nearest second (23:59:59.6 is the next day).
struct DateFields {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// The serial's range, 100-01-01 to 9999-12-31 23:59:59.
inline constexpr double kMinDateSerial = -657434.0;
inline constexpr double kMaxDateSerial = 2958465.99999;
bool in_date_range(double serial);

// Days since 1899-12-30 of a (proleptic Gregorian) calendar day; month and day may be out
// of their range and roll over (month 13 is January of the next year, day 0 the last day
// of the previous month).
long long day_number(long long year, long long month, long long day);
// The number of days of the month (1..12) in the year: 28 to 31.
int days_in_month(int year, int month);

DateFields split_date(Date d);
// Builds the date; the time fields may roll over too. No range check.
Date make_date(const DateFields& f);

// Date only at midnight, time only on day 0, else "yyyy-M-d H:mm:ss".
std::string format_date(Date d);

// Reads date text: "yyyy-M-d", "yyyy/M/d", "yyyy.M.d", "M/d/yyyy", each optionally followed
// by a time, or a time alone ("9:05", "9:05:07", fractions of a second and AM/PM allowed).
// nullopt when the text is not a valid date.
std::optional<Date> parse_date(std::string_view text);

}  // namespace vb
