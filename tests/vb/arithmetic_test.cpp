// Concatenation and arithmetic: Null and Empty, typed text with +, widening, division.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using vb::Variant;

TEST(Concatenate, NullAndEmptyCountAsEmptyText) {
  const Variant null(vb::Null), empty;
  EXPECT_TRUE(vb::IsNull(null & null));
  EXPECT_TRUE((null & "a") == "a");
  EXPECT_TRUE(("a" & null) == "a");
  EXPECT_TRUE((empty & 1) == "1");
  EXPECT_TRUE((empty & empty) == "");
  EXPECT_FALSE(vb::IsNull(null & empty));
  EXPECT_TRUE((Variant(true) & "") == "True");
  EXPECT_TRUE((Variant(0.1 + 0.2) & "") == "0.3");
  EXPECT_TRUE((Variant(5) & Variant("5")) == "55");
  EXPECT_TRUE((Variant("id=") & 5 & ";") == "id=5;");
  EXPECT_EQ(vb::VarType::String, (Variant(1) & 2).type());
  EXPECT_VB_ERROR(13, Variant("a") & vb::Split("a"));
}

TEST(Add, TypedTextWithAVariantConcatenates) {
  const Variant five(5);
  EXPECT_TRUE(("OAID=" + five) == "OAID=5");
  EXPECT_TRUE((five + "=OAID") == "5=OAID");
  EXPECT_TRUE((std::string("OAID=") + five) == "OAID=5");
  EXPECT_TRUE(vb::IsNull("a" + Variant(vb::Null)));
  EXPECT_TRUE(("a" + Variant()) == "a");
}

TEST(Add, VariantRules) {
  EXPECT_TRUE((Variant("1") + 2) == 3);
  EXPECT_EQ(vb::VarType::Double, (Variant("1") + 2).type());
  EXPECT_TRUE((Variant("1") + Variant("2")) == "12");
  Variant zero = Variant() + Variant();
  EXPECT_EQ(vb::VarType::Integer, zero.type());
  EXPECT_TRUE(zero == 0);
  EXPECT_TRUE((Variant() + Variant("a")) == "a");
  EXPECT_TRUE(vb::IsNull(Variant(vb::Null) + 1));
  EXPECT_TRUE((Variant(true) + Variant(true)) == -2);
  EXPECT_VB_ERROR(13, Variant("abc") + 1);
}

TEST(Add, IntegersWidenInsteadOfOverflowing) {
  Variant sum = Variant(32767) + 1;
  EXPECT_EQ(vb::VarType::Long, sum.type());
  EXPECT_TRUE(sum == 32768);
  Variant big = Variant(vb::Long(2147483647)) + 1;
  EXPECT_EQ(vb::VarType::Double, big.type());
  EXPECT_TRUE(big == 2147483648.0);
  EXPECT_EQ(vb::VarType::Long, (-Variant(-32768)).type());
  EXPECT_EQ(vb::VarType::Integer, (Variant(2) * Variant(3)).type());
}

TEST(Arithmetic, DatesAndDivision) {
  Variant day(vb::CDate("2011-9-2"));
  EXPECT_TRUE(vb::CStr(day + 1) == "2011-9-3");
  EXPECT_EQ(vb::VarType::Date, (day - 1).type());
  EXPECT_EQ(vb::VarType::Double, (Variant(vb::CDate("2011-9-3")) - day).type());
  EXPECT_TRUE((Variant(vb::CDate("2011-9-3")) - day) == 1);
  EXPECT_TRUE((Variant(1) / 4) == 0.25);
  EXPECT_EQ(vb::VarType::Double, (Variant(4) / 2).type());
  EXPECT_VB_ERROR_TEXT(11, "Division by zero", Variant(1) / 0);
  EXPECT_VB_ERROR(6, Variant(0) / 0);
  EXPECT_TRUE(vb::IsNull(Variant(vb::Null) / 0));
  EXPECT_TRUE((Variant("6") * 2) == 12);
  EXPECT_TRUE((Variant() - 3) == -3);
}

TEST(Arithmetic, OperatorErrorsCarryLineZero) {
  try {
    static_cast<void>(Variant("abc") * 2);
    FAIL() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(13, e.number());
    EXPECT_EQ(0, e.line());
  }
}

}  // namespace
