#include <gtest/gtest.h>

#include "library/formatting.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using DatesTest = LibraryTest;

const vb::Variant kDate = vb::CDate(vb::Variant(kNow));

TEST_F(DatesTest, LwformatdatetimeReplacesTheTokensInOrder) {
  struct Case {
    vb::Variant date;
    const char *format, *expected;
  };
  const Case cases[] = {
      {kDate, "yy/m/d h:n:s", "11/9/2 9:5:7"},
      // Upper case is no token; minutes are n, not m.
      {kDate, "YYYY-MM-DD HH:NN", "YYYY-MM-DD HH:NN"},
      {kDate, "h:mm", "9:09"},
      // Plain text replacement: longer tokens first, letters inside words too.
      {kDate, "mmm ddd hhh", "099 022 099"},
      {kDate, "today", "to2ay"},
      // Two-digit parts are not padded further.
      {vb::CDate(vb::Variant("2011-12-25 23:45:59")), "m/d h:n:s mm/dd hh:nn:ss",
       "12/25 23:45:59 12/25 23:45:59"},
      // Midnight, and date text read through the date test.
      {vb::CDate(vb::Variant("2011-09-02")), "hh:nn:ss h", "00:00:00 0"},
      {"2011-9-2 8:30:00", "yyyy-mm-dd hh:nn", "2011-09-02 08:30"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed(library::lwformatdatetime(ctx(), c.date, c.format)),
              std::string("String:") + c.expected);
  }
  expect_quiet();
}

TEST_F(DatesTest, NonDatesAreReturnedUnchangedAndANullFormatIsReported) {
  for (const vb::Variant& v : {vb::Variant("abc"), vb::Variant(""), vb::Variant(),
                               vb::Variant(vb::Null), vb::Variant(vb::Long(40788))}) {
    EXPECT_EQ(typed(library::lwformatdatetime(ctx(), v, "yyyy")), typed(v));
  }
  expect_quiet();
  // A Null format is reported under the formatter's own name.
  EXPECT_TRUE(library::lwformatdatetime(ctx(), kDate, vb::Null).is_empty());
  expect_reported(94, "Invalid use of Null", "lwformatdatetime");
  reset();
  EXPECT_EQ(typed(library::mydategeshi(ctx(), kDate, "yy/m/d h:n:s")), "String:11/9/2 9:5:7");
  EXPECT_TRUE(library::mydategeshi(ctx(), kDate, vb::Null).is_empty());
  expect_reported(94, "Invalid use of Null", "mydategeshi");
}

TEST_F(DatesTest, GetsjWritesThePaddedDateTheWeekdayAndTheTime) {
  const std::pair<const char*, const char*> cases[] = {
      {"2011-09-02 09:05:07", "2011年09月02日 星期五 09:05:07"},
      {"2011-12-31 23:59:59", "2011年12月31日 星期六 23:59:59"},  // a Saturday: Weekday 7
      {"2011-09-04 00:00:00", "2011年09月04日 星期日 00:00:00"},  // a Sunday: Weekday 1
  };
  for (const auto& [now, expected] : cases) {
    reset(now);
    EXPECT_EQ(typed(library::getsj(ctx())), std::string("String:") + expected);
    expect_quiet();
  }
}

TEST_F(DatesTest, FormatdateWritesYearMonthDayWithoutZeros) {
  EXPECT_EQ(typed(library::formatdate(ctx(), "2011-09-02 10:00:00")), "String:2011-9-2");
  EXPECT_TRUE(library::formatdate(ctx(), "abc").is_empty());
  expect_reported(13, "Type mismatch", "formatdate");
}

}  // namespace
}  // namespace library_test
