// IsNumeric, IsDate, IsNull, IsEmpty, IsArray, IsObject, VarType and TypeName.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using vb::Variant;

struct Judged {
  Variant value;
  bool expected;
  const char* label;
};

TEST(IsNumeric, JudgesWholeValues) {
  const Judged cases[] = {
      {Variant(), true, "Empty"},
      {vb::Null, false, "Null"},
      {"", false, "\"\""},
      {" ", false, "\" \""},
      {"12", true, "12"},
      {" 12 ", true, "\" 12 \""},
      {"+5", true, "+5"},
      {".5", true, ".5"},
      {"5.", true, "5."},
      {"-", false, "-"},
      {".", false, "."},
      {"1e5", true, "1e5"},
      {"1E-3", true, "1E-3"},
      {"1e", false, "1e"},
      {"e5", false, "e5"},
      {"1,000", true, "1,000"},
      {"1,000.5", true, "1,000.5"},
      {"&H1F", true, "&H1F"},
      {"&O17", true, "&O17"},
      {"0x1F", false, "0x1F"},
      {"&H", false, "&H"},
      {"(5)", true, "(5)"},
      {"5-", true, "5-"},
      {"12abc", false, "12abc"},
      {"1 2", false, "1 2"},
      {"abc", false, "abc"},
      {"$5", false, "$5"},
      {"2011-09-02", false, "2011-09-02"},
      {true, true, "True"},
      {2.5, true, "2.5"},
      {vb::Now(), false, "Now"},
      {vb::Split("1"), false, "array"},
  };
  for (const Judged& c : cases) EXPECT_EQ(c.expected, vb::IsNumeric(c.value)) << c.label;
}

TEST(IsDate, AcceptsDatesAndDateText) {
  const Judged cases[] = {
      {"2011-09-02 09:05:07", true, "full"},
      {"2011/9/2", true, "slashes"},
      {"2011-9-2", true, "no zeros"},
      {"2011-9-2 8:30:00", true, "time"},
      {"9:05", true, "time only"},
      {"abc", false, "abc"},
      {"", false, "\"\""},
      {Variant(), false, "Empty"},
      {vb::Null, false, "Null"},
      {vb::Now(), true, "Now"},
      {40788, false, "number"},
      {"2011-9-2 25:00:00", false, "hour 25"},
      {"2011-02-30", false, "Feb 30"},
      {"2012-02-29", true, "leap day"},
      {"2011-9-2 9:05 上午", true, "AM"},
  };
  for (const Judged& c : cases) EXPECT_EQ(c.expected, vb::IsDate(c.value)) << c.label;
}

TEST(TypeTests, NullEmptyArrayObject) {
  EXPECT_TRUE(vb::IsNull(vb::Null));
  EXPECT_FALSE(vb::IsNull(Variant()));
  EXPECT_FALSE(vb::IsNull(""));
  EXPECT_TRUE(vb::IsEmpty(Variant()));
  EXPECT_FALSE(vb::IsEmpty(""));
  EXPECT_FALSE(vb::IsEmpty(vb::Null));
  EXPECT_TRUE(vb::IsArray(vb::Split("")));
  EXPECT_TRUE(vb::IsArray(Variant::unsized_array()));
  EXPECT_FALSE(vb::IsArray("a"));
  EXPECT_TRUE(vb::IsObject(vb::ObjectRef()));  // Nothing
  EXPECT_FALSE(vb::IsObject(1));
}

TEST(TypeTests, VarTypeAndTypeName) {
  const struct {
    Variant value;
    int var_type;
    const char* type_name;
  } cases[] = {
      {Variant(), 0, "Empty"},
      {vb::Null, 1, "Null"},
      {5, 2, "Integer"},
      {40000, 3, "Long"},
      {vb::CLng(5), 3, "Long"},
      {2.5, 5, "Double"},
      {vb::Currency{1}, 6, "Currency"},
      {vb::Now(), 7, "Date"},
      {"x", 8, "String"},
      {vb::ObjectRef(), 9, "Nothing"},
      {true, 11, "Boolean"},
      {vb::Split("a"), 8204, "Variant()"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.var_type, vb::VarType(c.value)) << c.type_name;
    EXPECT_EQ(c.type_name, vb::TypeName(c.value));
  }
}

}  // namespace
