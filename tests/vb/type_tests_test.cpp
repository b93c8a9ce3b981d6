// IsNumeric, IsDate, IsNull, IsEmpty, IsArray, IsObject, VarType and TypeName.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using testing::PrintToString;
using vb::Variant;

// Text is numeric when CDbl reads it, so convert_test walks the number forms.
TEST(IsNumericIsDate, JudgeWholeValues) {
  const Variant numeric[] = {Variant(), " 12 ", "1e5", "1,000", "&H1F", true, 2.5};
  const Variant not_numeric[] = {vb::Null, "",           "abc",     "12abc",
                                 "$5",     "2011-09-02", vb::Now(), vb::Split("1")};
  for (const Variant& v : numeric) EXPECT_TRUE(vb::IsNumeric(v)) << PrintToString(v);
  for (const Variant& v : not_numeric) EXPECT_FALSE(vb::IsNumeric(v)) << PrintToString(v);
  const Variant dates[] = {"2011-09-02 09:05:07", "9:05", "2012-02-29", "2011-9-2 9:05 上午",
                           vb::Now()};
  const Variant not_dates[] = {"abc", "", "2011-02-30", Variant(), vb::Null, 40788};
  for (const Variant& v : dates) EXPECT_TRUE(vb::IsDate(v)) << PrintToString(v);
  for (const Variant& v : not_dates) EXPECT_FALSE(vb::IsDate(v)) << PrintToString(v);
}

TEST(TypeTests, NullEmptyArrayObject) {
  EXPECT_TRUE(vb::IsNull(vb::Null));
  EXPECT_FALSE(vb::IsNull(Variant()) || vb::IsNull(""));
  EXPECT_TRUE(vb::IsEmpty(Variant()));
  EXPECT_FALSE(vb::IsEmpty("") || vb::IsEmpty(vb::Null));
  EXPECT_TRUE(vb::IsArray(vb::Split("")) && vb::IsArray(Variant::unsized_array()));
  EXPECT_FALSE(vb::IsArray("a"));
  EXPECT_TRUE(vb::IsObject(vb::ObjectRef()));  // Nothing
  EXPECT_FALSE(vb::IsObject(1));
}

TEST(TypeTests, LiteralsAndValuesTakeTheirSubtypes) {
  const struct {
    Variant value;
    int var_type;
    const char* type_name;
  } cases[] = {{Variant(), 0, "Empty"}, {vb::Null, 1, "Null"},
               {32767, 2, "Integer"},   {32768, 3, "Long"},
               {5L, 3, "Long"},         {3000000000L, 5, "Double"},
               {1.0, 5, "Double"},      {vb::Currency{1}, 6, "Currency"},
               {vb::Now(), 7, "Date"},  {std::string_view("x"), 8, "String"},
               {"", 8, "String"},       {vb::ObjectRef(), 9, "Nothing"},
               {true, 11, "Boolean"},   {vb::Split("a"), 8204, "Variant()"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.var_type, vb::VarType(c.value)) << c.type_name;
    EXPECT_EQ(c.type_name, vb::TypeName(c.value));
  }
}

}  // namespace
