// Comparison rules: typed literals against Variants, Variant against Variant, Null and Empty.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using vb::Variant;

TEST(VariantCompare, TheLiteralsTypeChoosesTheRule) {
  EXPECT_TRUE(Variant(1) == "1");  // text rule: the number reads "1"
  EXPECT_TRUE("1" == Variant(1));
  EXPECT_FALSE(Variant(1) == "1.0");
  EXPECT_TRUE(Variant("5") == 5);  // numeric rule: the text is read as a number
  EXPECT_TRUE(5 == Variant(" 5 "));
  EXPECT_FALSE(Variant("10") == "10.0");
}

TEST(VariantCompare, NonNumericTextAgainstANumberIsGreaterWithoutError) {
  Variant abc("abc");
  EXPECT_FALSE(abc == 1);
  EXPECT_TRUE(abc != 1);
  EXPECT_TRUE(abc > 1);
  EXPECT_TRUE(3 < Variant("A"));
  EXPECT_FALSE(0 == Variant(""));
}

TEST(VariantCompare, VariantAgainstVariantKeepsNumbersBelowText) {
  EXPECT_FALSE(Variant(5) == Variant("5"));
  EXPECT_TRUE(Variant(5) < Variant("5"));
  EXPECT_TRUE(Variant(100) < Variant("1"));
  EXPECT_TRUE(Variant(1) == Variant(1.0));
  EXPECT_TRUE(Variant(true) == Variant(-1));
}

TEST(VariantCompare, BooleansAreMinusOne) {
  Variant t(true);
  EXPECT_FALSE(t == 1);
  EXPECT_TRUE(t == -1);
  EXPECT_TRUE(t == true);
  EXPECT_TRUE(Variant(false) == 0);
  EXPECT_TRUE(t == "True");  // typed text reads the Boolean as CStr does
}

TEST(VariantCompare, EmptyIsZeroAndEmptyText) {
  Variant empty;
  EXPECT_TRUE(empty == 0);
  EXPECT_TRUE(empty == "");
  EXPECT_TRUE(empty == false);
  EXPECT_TRUE(empty < "a");
  EXPECT_TRUE(empty == Variant(""));
  EXPECT_FALSE(empty == 1);
}

TEST(VariantCompare, NothingComparedWithNullIsTrueAndAnIfOnItTakesTheElseBranch) {
  Variant null(vb::Null);
  for (const Variant& other : {Variant(1), Variant(""), null, Variant()}) {
    EXPECT_FALSE(null == other || null != other || null < other || null <= other || null > other ||
                 null >= other || other != null)
        << testing::PrintToString(other);
  }
  EXPECT_FALSE(null == 1 || null != 1 || null < 1 || null <= 1 || null > 1 || null >= 1);
  EXPECT_FALSE(null == "" || null != "" || 1 != null || "a" != null);
  EXPECT_EQ(vb::Order::Null, vb::compare(null, null));
  EXPECT_FALSE(null.truthy() || Variant().truthy() || Variant("false").truthy());
  EXPECT_TRUE(Variant(2).truthy() && Variant("True").truthy() && Variant("-1").truthy());
  EXPECT_VB_ERROR(13, Variant("abc").truthy());
}

TEST(VariantCompare, DatesCompareAsDatesOrAsTheirText) {
  Variant d(vb::CDate("2011-9-2"));
  EXPECT_FALSE("2011-09-02" == d);
  EXPECT_TRUE("2011-9-2" == d);
  EXPECT_TRUE(d == 40788);
  EXPECT_TRUE(d == vb::CDate("2011-09-02"));
  EXPECT_TRUE(d < vb::CDate("2011-9-2 0:00:01"));
  EXPECT_FALSE(Variant(vb::Null) == vb::CDate("2011-9-2"));
}

TEST(VariantCompare, TextIsOrderedByUtf16Units) {
  EXPECT_FALSE(Variant("a") < "B");
  EXPECT_TRUE(Variant("B") < "a");
  EXPECT_TRUE(Variant("ab") < "abc");
  EXPECT_FALSE(Variant("a ") == "a");  // trailing blanks count
  EXPECT_TRUE(Variant("中") > "A");
  // U+1F600 is a surrogate pair (D83D DE00), which sorts before U+FF0C.
  EXPECT_TRUE(Variant("\xF0\x9F\x98\x80") < "\xEF\xBC\x8C");
}

TEST(VariantCompare, TypedBuiltinsCompareByTheirTypeArraysNot) {
  EXPECT_TRUE(Variant(5) == vb::CStr(5));                // CStr is typed text
  EXPECT_TRUE(Variant("5") == vb::CInt("5"));            // CInt is a typed number
  EXPECT_FALSE(Variant("5") == Variant(vb::CInt("5")));  // once in a Variant it is not
  EXPECT_VB_ERROR(13, vb::Split("a,b", ",") == "a");
  EXPECT_VB_ERROR(13, vb::Split("a,b", ",") == Variant(1));
}

}  // namespace
