// Conversions: CStr texts, rounding of CInt/CLng, CDbl, CBool, CDate, Int and Fix.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using test_support::typed;
using vb::Variant;

struct TextCase {
  Variant value;
  const char* text;
};

TEST(CStr, WritesValuesAsTheSystemDoes) {
  const TextCase cases[] = {
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {1E15, "1E+15"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {0.1 + 0.2 - 0.3, "5.55111512312578E-17"},
      {-1.25, "-1.25"},
      {-0.0, "0"},
      {true, "True"},
      {false, "False"},
      {Variant(), ""},
      {vb::Long(70000), "70000"},
      {vb::Currency{125000}, "12.5"},
      {vb::Currency{-10000}, "-1"},
      {vb::Currency{1}, "0.0001"},
      {vb::CDate("2011-09-02 09:05:07"), "2011-9-2 9:05:07"},
      {vb::CDate("2011-09-02"), "2011-9-2"},
      {vb::CDate("09:05:07"), "9:05:07"},
      {vb::CDate(0), "0:00:00"},
      {vb::CDbl(vb::CDate("2011-09-02 09:05:07")), "40788.3785532407"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(c.text, vb::CStr(c.value)) << c.text;
}

TEST(CStr, NullAndArraysAreRefused) {
  EXPECT_VB_ERROR_TEXT(94, "Invalid use of Null", vb::CStr(vb::Null));
  EXPECT_VB_ERROR_TEXT(13, "Type mismatch", vb::CStr(vb::Split("a")));
}

TEST(VbErrorLine, IsTheCallersLineForBuiltinsAndZeroForOperators) {
  const auto line_of = [](auto statement) -> long {
    try {
      statement();
    } catch (const vb::VbError& e) {
      return e.line();
    }
    return -1;
  };
  EXPECT_EQ(__LINE__, line_of([] { vb::CStr(vb::Null); }));
  EXPECT_EQ(0, line_of([] { static_cast<void>(Variant("abc") * 2); }));
}

TEST(CStr, ADateRoundsToTheNearestSecond) {
  double seven_and_a_half = (9 * 3600 + 5 * 60 + 7.6) / 86400.0;
  EXPECT_EQ("2011-9-2 9:05:08", vb::CStr(vb::Date{40788 + seven_and_a_half}));
  EXPECT_EQ("2011-9-3", vb::CStr(vb::Date{40788 + 86399.7 / 86400}));
  EXPECT_EQ("1899-12-29 6:00:00", vb::CStr(vb::Date{-1.25}));
}

TEST(CInt, RoundsHalvesToEven) {
  const struct {
    double in;
    int out;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.6, 3}, {-32768, -32768}};
  for (const auto& c : cases) EXPECT_EQ(c.out, vb::CInt(c.in)) << c.in;
  EXPECT_EQ(-2, vb::CLng("-2.5"));
  EXPECT_EQ(-1, vb::CInt(true));
  EXPECT_EQ(0, vb::CInt(Variant()));
  EXPECT_EQ(1000, vb::CInt("1,000"));
  EXPECT_EQ(31, vb::CInt("&H1F"));
}

TEST(CInt, RaisesOverflowNullAndMismatch) {
  EXPECT_VB_ERROR_TEXT(6, "Overflow", vb::CInt(32767.5));
  EXPECT_VB_ERROR(6, vb::CLng(3e9));
  EXPECT_VB_ERROR(94, vb::CInt(vb::Null));
  EXPECT_VB_ERROR(94, vb::CLng(vb::Null));
  EXPECT_VB_ERROR(13, vb::CInt(""));
  EXPECT_VB_ERROR(13, vb::CLng("12abc"));
}

TEST(CDbl, ReadsTheLenientNumberForms) {
  const struct {
    const char* in;
    double out;
  } cases[] = {{" 12 ", 12},    {"+5", 5},    {"-5", -5},      {"5-", -5},       {"(5)", -5},
               {"1,000", 1000}, {"1,2", 12},  {"1.5e3", 1500}, {"1.5E+3", 1500}, {"&H1F", 31},
               {"&h1f", 31},    {"&O17", 15}, {".5", 0.5},     {"5.", 5},        {"\t7\r\n", 7},
               {"&HFFFF", -1},  {"¥5", 5}};
  for (const auto& c : cases) EXPECT_EQ(c.out, vb::CDbl(c.in)) << c.in;
  for (const char* bad : {"", " ", "-", ".", "1 2", "12abc", "0x1F", "1e", "&H", "(-5)"}) {
    EXPECT_VB_ERROR(13, vb::CDbl(bad));
  }
  EXPECT_EQ(-1, vb::CDbl(true));
  EXPECT_EQ(40788, vb::CDbl(vb::CDate("2011-9-2")));
}

TEST(CBool, AcceptsWordsAndNumbers) {
  for (const Variant& v : {Variant("true"), Variant("#TRUE#"), Variant("2"), Variant(-0.5)}) {
    EXPECT_TRUE(vb::CBool(v)) << testing::PrintToString(v);
  }
  for (const Variant& v : {Variant("False"), Variant("0"), Variant()}) {
    EXPECT_FALSE(vb::CBool(v)) << testing::PrintToString(v);
  }
  EXPECT_VB_ERROR(13, vb::CBool(""));
  EXPECT_VB_ERROR(13, vb::CBool("yes"));
  EXPECT_VB_ERROR(94, vb::CBool(vb::Null));
}

TEST(CDate, ReadsDateTextAndNumbers) {
  EXPECT_EQ(40788, vb::CDate("2011-9-2").serial);
  EXPECT_EQ(40788, vb::CDate("2011/09/02").serial);
  EXPECT_EQ(40788, vb::CDate("9/2/2011").serial);
  EXPECT_EQ("2011-9-2 20:30:00", vb::CStr(vb::CDate("2011-9-2 8:30 PM")));
  EXPECT_EQ("2011-9-2 9:05:07", vb::CStr(vb::CDate("2011-09-02 09:05:07.250")));
  EXPECT_EQ(1.5, vb::CDate(1.5).serial);
  EXPECT_EQ(0, vb::CDate(Variant()).serial);
  EXPECT_VB_ERROR(13, vb::CDate("abc"));
  EXPECT_VB_ERROR(13, vb::CDate("2011-02-30"));
  EXPECT_VB_ERROR(13, vb::CDate("2011-9-2 25:00:00"));
  EXPECT_VB_ERROR(6, vb::CDate(3000000));
  EXPECT_VB_ERROR(94, vb::CDate(vb::Null));
}

// Every date CStr writes is read back to the same value, also before the year 1000, where the
// year has three digits ("121-9-2").
TEST(CDate, ReadsBackEveryDateCStrWrites) {
  const double serials[] = {-657434.0,  -657433.75, -642766.0, -478182.5, -328716.0,
                            -1.5,       -1.25,      0.0,       0.5,       40788.37855,
                            2958465.0, 2958465.99998};
  for (double serial : serials) {
    const vb::Date d = vb::CDate(serial);
    const std::string text = vb::CStr(d);
    EXPECT_EQ(vb::CStr(vb::CDate(text)), text) << serial;
    EXPECT_NEAR(vb::CDate(text).serial, d.serial, 0.5 / 86400) << text;
  }
  EXPECT_EQ("121-9-2", vb::CStr(vb::CDate("121-9-2")));
  EXPECT_EQ("999-12-31 23:59:59", vb::CStr(vb::CDate("999-12-31 23:59:59")));
  EXPECT_VB_ERROR(13, vb::CDate("99-9-2"));  // two digits are no year
}

TEST(IntFix, RoundDownAndTowardZeroKeepingTheSubtype) {
  EXPECT_EQ(typed(vb::Int(-8.4)), "Double:-9");
  EXPECT_EQ(typed(vb::Fix(-8.4)), "Double:-8");
  EXPECT_EQ(typed(vb::Int("2.5")), "Double:2");
  EXPECT_EQ(typed(vb::Int(Variant())), "Integer:0");
  EXPECT_EQ(typed(vb::Int(vb::CDate("2011-9-2 9:05:07"))), "Date:2011-9-2");
  EXPECT_TRUE(vb::IsNull(vb::Fix(vb::Null)));
  EXPECT_VB_ERROR(13, vb::Int("abc"));
}

}  // namespace
