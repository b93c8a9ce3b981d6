#include "library/sql_guard.h"

#include <gtest/gtest.h>

#include "support/vb_matchers.h"

namespace library {
namespace {

TEST(SqlInt, WholeNumbersGiveTheirDigitsAnythingElseIsATypeMismatch) {
  const std::pair<vb::Variant, std::string> cases[] = {
      {"-3", "-3"},     {"007", "007"},     {" 2", "2"},    {"12\n", "12"},
      {"2.0", "2"},     {"1e3", "1000"},    {"1,000", "1000"},  {"&H1F", "31"},
      {"(4)", "-4"},    {5.0, "5"},         {vb::Long(-70000), "-70000"},
      {4294967296.0, "4294967296"},         {vb::Currency{120000}, "12"}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(sql_int(value), expected) << expected;
  const vb::Variant rejected[] = {
      "1 or 1=1", "",   "--1",          "2.5 ",   "１２",  "0x1F",  "1e400",
      "1;delete from OA_MSG", 1.5,  true, vb::Variant(), vb::Null,  vb::Date{40788.0}};
  for (const auto& value : rejected) {
    EXPECT_VB_ERROR_TEXT(13, "Type mismatch", sql_int(value));
  }
  try {
    sql_int("x");
    ADD_FAILURE() << "accepted";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.line(), __LINE__ - 3);  // the caller's line
  }
}

TEST(CanonicalWholeNumber, EveryFormOfOneNumberGivesTheSameDigits) {
  const std::pair<vb::Variant, std::string> cases[] = {
      {"4", "4"},    {"04", "4"},   {"4 ", "4"},         {"4.0", "4"}, {"+4", "4"},
      {"&H4", "4"},  {"&O11", "9"}, {"-007", "-7"},      {"000", "0"}, {"-0", "0"},
      {"-0.0", "0"}, {"10", "10"},  {vb::Long(40), "40"}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(canonical_whole_number(value), expected) << expected;
  }
  for (const vb::Variant& value : {vb::Variant("4.5"), vb::Variant(""), vb::Variant("0x4")}) {
    EXPECT_EQ(canonical_whole_number(value), std::nullopt);
  }
}

TEST(SqlText, DoublesSingleQuotes) {
  const std::pair<vb::Variant, std::string> cases[] = {
      {"O'Brien", "O''Brien"}, {"' or '1'='1", "'' or ''1''=''1"}, {"中'文\\'", "中''文\\''"},
      {vb::Null, ""},          {12, "12"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(sql_text(value), expected) << expected;
}

}  // namespace
}  // namespace library
