// Date built-ins: parts, Weekday and WeekdayName, DateDiff, DateAdd, DateSerial, the clock.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using vb::Variant;

Variant at(const char* text) { return vb::CDate(text); }

TEST(DateParts, OfADateTextAndEmpty) {
  const Variant d = at("2011-09-02 09:05:07");
  EXPECT_EQ("2011 9 2 9 5 7",
            vb::CStr(vb::Join(vb::Array{vb::Year(d), vb::Month(d), vb::Day(d), vb::Hour(d),
                                        vb::Minute(d), vb::Second(d)})));
  EXPECT_EQ("12 1899 12 30",
            vb::CStr(vb::Join(vb::Array{vb::Month("2011-12-31"), vb::Year(Variant()),
                                        vb::Month(Variant()), vb::Day(Variant())})));
  EXPECT_EQ(vb::VarType::Integer, vb::Year(d).type());
  EXPECT_TRUE(vb::IsNull(vb::Year(vb::Null)));
  EXPECT_VB_ERROR(13, vb::Year(""));
  EXPECT_VB_ERROR(13, vb::Hour("abc"));
}

TEST(Weekday, CountsFromSundayByDefault) {
  const struct {
    const char* date;
    int from_sunday, from_monday;
  } cases[] = {{"2011-09-02", 6, 5},  // Friday
               {"2011-09-04", 1, 7},  // Sunday
               {"1899-12-30", 7, 6},  // day 0, a Saturday
               {"1899-12-29 06:00:00", 6, 5}};
  for (const auto& c : cases) {
    EXPECT_TRUE(vb::Weekday(at(c.date)) == c.from_sunday) << c.date;
    EXPECT_TRUE(vb::Weekday(at(c.date), vb::vbMonday) == c.from_monday) << c.date;
  }
  EXPECT_TRUE(vb::Weekday(at("2011-09-02"), vb::vbUseSystem) == 5);
  EXPECT_TRUE(vb::IsNull(vb::Weekday(vb::Null)));
  EXPECT_VB_ERROR(5, vb::Weekday(at("2011-09-02"), 8));
}

TEST(WeekdayName, UsesTheSystemWeekStartingMonday) {
  EXPECT_EQ("星期一", vb::WeekdayName(1));
  EXPECT_EQ("星期日", vb::WeekdayName(1, false, vb::vbSunday));
  EXPECT_EQ("星期一", vb::WeekdayName(1, true, vb::vbMonday));
  // On Friday 2011-09-02 Weekday is 6, the sixth day of a Monday week is Saturday.
  EXPECT_EQ("星期六", vb::WeekdayName(vb::Weekday(at("2011-09-02"))));
  EXPECT_EQ("星期五", vb::WeekdayName(vb::Weekday(at("2011-09-02")), false, vb::vbSunday));
  EXPECT_VB_ERROR(5, vb::WeekdayName(0));
  EXPECT_VB_ERROR(5, vb::WeekdayName(8));
}

TEST(DateDiff, CountsBoundariesCrossed) {
  const struct {
    const char *interval, *from, *to;
    long expected;
  } cases[] = {
      {"n", "17:30:59", "17:31:00", 1},
      {"n", "17:30:00", "17:30:59", 0},
      {"n", "08:30:00", "08:29:59", -1},
      {"n", "2011-9-2 23:59:59", "2011-9-3 0:00:00", 1},
      {"h", "10:59:59", "11:00:00", 1},
      {"d", "2011-09-01 23:59", "2011-09-02 00:01", 1},
      {"yyyy", "2011-12-31", "2012-01-01", 1},
      {"m", "2011-01-31", "2011-02-01", 1},
      {"m", "2011-03-01", "2010-12-31", -3},
      {"q", "2011-03-31", "2011-04-01", 1},
      {"s", "2011-9-2 9:05:07", "2011-9-3 9:05:06", 86399},
      {"w", "2011-09-01", "2011-09-14", 1},
      {"ww", "2011-09-03", "2011-09-04", 1},  // Saturday to Sunday crosses a week
      {"N", "17:30:59", "17:31:00", 1},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(vb::DateDiff(c.interval, at(c.from), at(c.to)) == c.expected)
        << c.interval << " " << c.from << " " << c.to;
  }
  EXPECT_TRUE(vb::IsNull(vb::DateDiff("n", vb::Null, at("17:00:00"))));
  EXPECT_VB_ERROR(5, vb::DateDiff("x", at("17:00:00"), at("17:00:00")));
  EXPECT_EQ(vb::VarType::Long, vb::DateDiff("d", at("2011-9-1"), at("2011-9-2")).type());
}

TEST(DateAdd, KeepsTheDayClampedToTheMonth) {
  const struct {
    const char* interval;
    double n;
    const char *from, *expected;
  } cases[] = {
      {"m", 1, "2011-01-31", "2011-2-28"},
      {"yyyy", 1, "2012-02-29", "2013-2-28"},
      {"q", -1, "2011-05-31", "2011-2-28"},
      {"d", 1, "2011-12-31 10:00:00", "2012-1-1 10:00:00"},
      {"ww", 1, "2011-09-02", "2011-9-9"},
      {"h", 25, "2011-09-02", "2011-9-3 1:00:00"},
      {"n", -1, "2011-09-02", "2011-9-1 23:59:00"},
      {"s", 61, "2011-09-02 9:05:07", "2011-9-2 9:06:08"},
      {"d", 2.5, "2011-09-02", "2011-9-4"},  // the count rounds half to even
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, vb::CStr(vb::DateAdd(c.interval, c.n, at(c.from))))
        << c.interval << " " << c.n << " " << c.from;
  }
  EXPECT_TRUE(vb::IsNull(vb::DateAdd("d", 1, vb::Null)));
  EXPECT_VB_ERROR(5, vb::DateAdd("yyyy", 1, at("9999-06-01")));
  EXPECT_VB_ERROR(5, vb::DateAdd("z", 1, at("2011-9-2")));
  EXPECT_VB_ERROR(5, vb::DateAdd("d", 1e7, at("2011-9-2")));
  EXPECT_VB_ERROR(5, vb::DateAdd("ww", 1e9, at("2011-9-2")));
}

TEST(DateSerial, RollsOverMonthsAndDays) {
  const struct {
    int y, m, d;
    const char* expected;
  } cases[] = {{2011, 13, 1, "2012-1-1"}, {2011, 9, 0, "2011-8-31"}, {2011, 2, 30, "2011-3-2"},
               {2011, 1, 1, "2011-1-1"},  {11, 9, 2, "2011-9-2"},    {99, 1, 1, "1999-1-1"},
               {2011, 0, 1, "2010-12-1"}, {2011, -1, 1, "2010-11-1"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, vb::CStr(vb::DateSerial(c.y, c.m, c.d))) << c.expected;
  }
  EXPECT_VB_ERROR(6, vb::DateSerial(40000, 1, 1));
  EXPECT_VB_ERROR(5, vb::DateSerial(10000, 1, 1));
}

TEST(Clock, NowDateAndTimeAgree) {
  const double now = vb::CDbl(vb::Now()), today = vb::CDbl(vb::Date_()),
               time = vb::CDbl(vb::Time());
  EXPECT_EQ(vb::VarType::Date, vb::Now().type());
  EXPECT_EQ(today, static_cast<long>(today));
  EXPECT_LE(today, now);
  EXPECT_LT(now - today, 1.0);
  EXPECT_GE(time, 0.0);
  EXPECT_LT(time, 1.0);
}

}  // namespace
