// Split, Join, bounds and ReDim, and the value semantics of arrays held in Variants.
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using vb::Variant;

std::vector<std::string> texts(const Variant& arr) {
  std::vector<std::string> out;
  for (const Variant& v : arr.array()) out.push_back(vb::CStr(v));
  return out;
}

TEST(Split, KeepsEmptyPartsAndHonoursTheLimit) {
  const struct {
    Variant parts;
    std::vector<std::string> expected;
  } cases[] = {{vb::Split(""), {}},
               {vb::Split("a,,b", ","), {"a", "", "b"}},
               {vb::Split(",", ","), {"", ""}},
               {vb::Split("a", ""), {"a"}},
               {vb::Split("a b"), {"a", "b"}},
               {vb::Split("a||b", "||"), {"a", "b"}},
               {vb::Split("a,b,c", ",", 2), {"a", "b,c"}},
               {vb::Split("中，文", "，"), {"中", "文"}},
               {vb::Split(1.5, "."), {"1", "5"}}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, texts(c.parts));
    EXPECT_EQ(static_cast<long>(c.expected.size()) - 1, vb::UBound(c.parts));
    EXPECT_EQ(0, vb::LBound(c.parts));
  }
  EXPECT_EQ(vb::VarType::String, vb::Split("1,2", ",")[1].type());
}

TEST(Join, JoinsTextOfTheElements) {
  EXPECT_TRUE(vb::Join(vb::Split("a,b,c", ","), "-") == "a-b-c");
  EXPECT_TRUE(vb::Join(vb::Split("")) == "");
  EXPECT_TRUE(vb::Join(vb::Array{1, 2.5, true}) == "1 2.5 True");
  EXPECT_TRUE(vb::IsNull(vb::Join(vb::Null)));
  EXPECT_VB_ERROR(13, vb::Join("a"));
  EXPECT_VB_ERROR(94, vb::Join(vb::Array{"a", vb::Null}));
}

TEST(Bounds, NonArraysAndUnsizedArrays) {
  EXPECT_VB_ERROR_TEXT(9, "Subscript out of range", vb::UBound(Variant::unsized_array()));
  EXPECT_VB_ERROR(9, vb::LBound(Variant::unsized_array()));
  EXPECT_VB_ERROR_TEXT(13, "Type mismatch", vb::UBound(Variant()));
  EXPECT_VB_ERROR(13, Variant("a")[0]);
  Variant parts = vb::Split("a,b", ",");
  EXPECT_VB_ERROR(9, parts[2]);
  EXPECT_VB_ERROR(9, parts.at(-1));
}

TEST(ReDim, GivesEmptySlots) {
  Variant a = Variant::unsized_array();
  vb::ReDim(a, 0);
  EXPECT_EQ(0, vb::UBound(a));
  EXPECT_TRUE(vb::IsEmpty(a[0]));
  a[0] = "x";
  vb::ReDimPreserve(a, 2);
  EXPECT_EQ(2, vb::UBound(a));
  EXPECT_TRUE(a[0] == "x");
  EXPECT_TRUE(vb::IsEmpty(a[2]));
  vb::ReDim(a, 1);
  EXPECT_TRUE(vb::IsEmpty(a[0]));
  EXPECT_VB_ERROR(9, vb::ReDim(a, -1));
  Variant not_array;
  EXPECT_VB_ERROR(13, vb::ReDimPreserve(not_array, 1));
}

TEST(ArrayValue, AssignmentCopiesTheElements) {
  Variant a = vb::Split("a,b", ",");
  Variant b = a;
  b[0] = "changed";
  EXPECT_TRUE(a[0] == "a");
  EXPECT_TRUE(b[0] == "changed");
  Variant unsized = Variant::unsized_array();
  Variant copy = unsized;
  EXPECT_TRUE(vb::IsArray(copy));
  EXPECT_VB_ERROR(9, vb::UBound(copy));
}

}  // namespace
