// Concatenation and arithmetic: Null and Empty, typed text with +, widening, division.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using test_support::typed;
using vb::Variant;

TEST(Concatenate, NullAndEmptyCountAsEmptyText) {
  const Variant null(vb::Null), empty;
  EXPECT_TRUE(vb::IsNull(null & null));
  EXPECT_EQ(typed(null & "a"), "String:a");
  EXPECT_EQ(typed(null & empty), "String:");
  EXPECT_EQ(typed(empty & 1), "String:1");
  EXPECT_EQ(typed(Variant(true) & ""), "String:True");
  EXPECT_EQ(typed(Variant(5) & Variant("5")), "String:55");
  EXPECT_EQ(typed(Variant("id=") & 5 & ";"), "String:id=5;");
  EXPECT_VB_ERROR(13, Variant("a") & vb::Split("a"));
}

TEST(Add, TypedTextWithAVariantConcatenates) {
  const Variant five(5);
  EXPECT_EQ(typed("OAID=" + five), "String:OAID=5");
  EXPECT_EQ(typed(five + "=OAID"), "String:5=OAID");
  EXPECT_EQ(typed(std::string("OAID=") + five), "String:OAID=5");
  EXPECT_TRUE(vb::IsNull("a" + Variant(vb::Null)));
  EXPECT_EQ(typed("a" + Variant()), "String:a");
}

TEST(Add, VariantRulesAndWidening) {
  const struct {
    Variant sum;
    const char* expected;
  } cases[] = {{Variant("1") + 2, "Double:3"},
               {Variant("1") + Variant("2"), "String:12"},
               {Variant() + Variant(), "Integer:0"},
               {Variant() + Variant("a"), "String:a"},
               {Variant(true) + Variant(true), "Integer:-2"},
               {Variant(32767) + 1, "Long:32768"},
               {Variant(vb::Long(2147483647)) + 1, "Double:2147483648"},
               {-Variant(-32768), "Long:32768"},
               {Variant(2) * Variant(3), "Integer:6"}};
  for (const auto& c : cases) EXPECT_EQ(typed(c.sum), c.expected);
  EXPECT_TRUE(vb::IsNull(Variant(vb::Null) + 1));
  EXPECT_VB_ERROR(13, Variant("abc") + 1);
}

TEST(Arithmetic, DatesAndDivision) {
  const Variant day(vb::CDate("2011-9-2")), next(vb::CDate("2011-9-3"));
  EXPECT_EQ(typed(day + 1), "Date:2011-9-3");
  EXPECT_EQ(typed(day - 1), "Date:2011-9-1");
  EXPECT_EQ(typed(next - day), "Double:1");
  EXPECT_EQ(typed(Variant(1) / 4), "Double:0.25");
  EXPECT_EQ(typed(Variant("6") * 2), "Double:12");
  EXPECT_EQ(typed(Variant() - 3), "Integer:-3");
  EXPECT_VB_ERROR_TEXT(11, "Division by zero", Variant(1) / 0);
  EXPECT_VB_ERROR(6, Variant(0) / 0);
  EXPECT_TRUE(vb::IsNull(Variant(vb::Null) / 0));
}

}  // namespace
