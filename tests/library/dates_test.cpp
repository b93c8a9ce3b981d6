#include <gtest/gtest.h>

#include <string>

#include "library/formatting.h"
#include "library_fixture.h"
#include "vb/builtins.h"

namespace library_test {
namespace {

using DatesTest = ContextTest;

const vb::Variant kDate = vb::CDate(vb::Variant("2011-09-02 09:05:07"));

TEST_F(DatesTest, LwformatdatetimeReplacesTheTokensInOrder) {
  struct Case {
    vb::Variant date;
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {kDate, "yyyy-mm-dd hh:nn", "2011-09-02 09:05"},
      {kDate, "yy/m/d h:n:s", "11/9/2 9:5:7"},
      {kDate, "yyyy-mm-dd", "2011-09-02"},
      {kDate, "hh:nn", "09:05"},
      {kDate, "yyyy 年 mm 月 dd 日", "2011 年 09 月 02 日"},
      {kDate, "yyyy-mm-dd hh:nn:ss", "2011-09-02 09:05:07"},
      // Upper case is no token; minutes are n, not m.
      {kDate, "YYYY", "YYYY"},
      {kDate, "YYYY-MM-DD HH:NN", "YYYY-MM-DD HH:NN"},
      {kDate, "h:mm", "9:09"},
      // Plain text replacement: longer tokens first, letters inside words too.
      {kDate, "mmm ddd hhh", "099 022 099"},
      {kDate, "today", "to2ay"},
      {kDate, "", ""},
      // Two-digit parts are not padded further.
      {vb::CDate(vb::Variant("2011-12-25 23:45:59")), "m/d h:n:s mm/dd hh:nn:ss",
       "12/25 23:45:59 12/25 23:45:59"},
      // Midnight and date text read through the date test.
      {vb::CDate(vb::Variant("2011-09-02")), "hh:nn:ss h", "00:00:00 0"},
      {vb::Variant("2011-9-2 8:30:00"), "yyyy-mm-dd hh:nn", "2011-09-02 08:30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const vb::Variant result = library::lwformatdatetime(ctx(), c.date, c.format);
    ASSERT_TRUE(result.is_string());
    EXPECT_EQ(result.str(), c.expected);
  }
  context_.expect_quiet();
}

TEST_F(DatesTest, LwformatdatetimeReturnsNonDatesUnchanged) {
  const vb::Variant text = library::lwformatdatetime(ctx(), "abc", "yyyy-mm-dd");
  EXPECT_EQ(text.str(), "abc");
  EXPECT_TRUE(library::lwformatdatetime(ctx(), vb::Variant(), "yyyy").is_empty());
  EXPECT_TRUE(library::lwformatdatetime(ctx(), vb::Null, "yyyy").is_null());
  EXPECT_TRUE(library::lwformatdatetime(ctx(), "", "yyyy") == "");
  // A number is no date by the date test: it comes back as the number.
  const vb::Variant number = library::lwformatdatetime(ctx(), 40788, "yyyy");
  EXPECT_EQ(number.type(), vb::VarType::Long);
  EXPECT_TRUE(number == 40788);
  context_.expect_quiet();
}

TEST_F(DatesTest, LwformatdatetimeWithANullFormatIsReported) {
  EXPECT_TRUE(library::lwformatdatetime(ctx(), kDate, vb::Null).is_empty());
  context_.expect_reported(94, "Invalid use of Null", "lwformatdatetime");
}

TEST_F(DatesTest, MydategeshiIsTheSameFormatterUnderItsOwnName) {
  EXPECT_EQ(library::mydategeshi(ctx(), kDate, "yy/m/d h:n:s").str(), "11/9/2 9:5:7");
  EXPECT_EQ(library::mydategeshi(ctx(), "abc", "yyyy").str(), "abc");
  EXPECT_TRUE(library::mydategeshi(ctx(), kDate, vb::Null).is_empty());
  context_.expect_reported(94, "Invalid use of Null", "mydategeshi");
}

TEST(GetsjTest, WritesThePaddedDateTheWeekdayAndTheTime) {
  struct Case {
    const char* now;
    const char* expected;
  };
  // Each line names its own day: 2011-09-02 was a Friday, 2024-03-05 a Tuesday.
  const Case cases[] = {
      {"2011-09-02 09:05:07", "2011年09月02日 星期五 09:05:07"},
      {"2024-03-05 07:08:09", "2024年03月05日 星期二 07:08:09"},
      {"2011-12-31 23:59:59", "2011年12月31日 星期六 23:59:59"},  // a Saturday: Weekday 7
      {"2011-09-04 00:00:00", "2011年09月04日 星期日 00:00:00"},  // a Sunday: Weekday 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.now);
    TestContext context(c.now);
    EXPECT_EQ(library::getsj(context.ctx()).str(), c.expected);
    context.expect_quiet();
  }
}

TEST_F(DatesTest, FormatdateWritesYearMonthDayWithoutZeros) {
  EXPECT_EQ(library::formatdate(ctx(), kDate).str(), "2011-9-2");
  EXPECT_EQ(library::formatdate(ctx(), "2011-12-25 10:00:00").str(), "2011-12-25");
  context_.expect_quiet();
}

TEST_F(DatesTest, FormatdateOfTextThatIsNoDateIsReported) {
  EXPECT_TRUE(library::formatdate(ctx(), "abc").is_empty());
  context_.expect_reported(13, "Type mismatch", "formatdate");
}

}  // namespace
}  // namespace library_test
