// Variants holding objects by reference, and copying without allocation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "support/allocation_counter.h"
#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using test_support::allocations;
using vb::Variant;

// The long string shows that the counter sees a Variant's copies.
TEST(VariantCopy, AShortStringCopiesWithoutAllocatingALongOneDoes) {
  const Variant short_text("OAID=12345"), number(3.5), long_text(std::string(100, 'x'));
  const long before = allocations;
  Variant a = short_text, b = number, c = a;
  EXPECT_EQ(before, allocations);
  Variant d = long_text;
  EXPECT_GT(allocations, before);
  EXPECT_TRUE(c == "OAID=12345" && b == 3.5 && vb::Len(d) == 100);
}

class Recordset final : public vb::Object {
 public:
  std::string type_name() const override { return "Recordset"; }
};

class FieldObject final : public vb::Object {
 public:
  explicit FieldObject(Variant v) : value_(std::move(v)) {}
  std::string type_name() const override { return "Field"; }
  Variant default_value(vb::Here) const override { return value_; }

 private:
  Variant value_;
};

// Stands for a Variant through a conversion, as an ADO field does; its namespace brings in
// the vb comparisons, which argument lookup would not find for it.
struct FieldLike {
  Variant v;
  operator Variant() const { return v; }
};
using vb::operator==;
using vb::operator!=;

TEST(VariantObject, HeldByReferenceAndCheckedOnUse) {
  auto rs = std::make_shared<Recordset>();
  Variant held = rs;
  Variant copy = held;
  EXPECT_EQ(rs.get(), &copy.as<Recordset>());
  EXPECT_VB_ERROR(13, copy.as<FieldObject>());
  EXPECT_VB_ERROR_TEXT(424, "Object required", Variant(1).as<Recordset>());
  EXPECT_VB_ERROR_TEXT(91, "Object variable or With block variable not set",
                       Variant(vb::ObjectRef()).as<Recordset>());
  EXPECT_VB_ERROR_TEXT(438, "Object doesn't support this property or method", vb::CStr(held));
  EXPECT_EQ("Recordset", vb::TypeName(held));
}

TEST(VariantObject, StandsForItsDefaultValue) {
  Variant field = std::make_shared<FieldObject>(Variant(vb::Null));
  EXPECT_TRUE(vb::IsNull(field));
  EXPECT_TRUE((field & "") == "");
  Variant number = std::make_shared<FieldObject>(Variant(5));
  EXPECT_TRUE(number == "5");
  EXPECT_TRUE(number == 5);
  EXPECT_EQ("5", vb::CStr(number));
  EXPECT_EQ(2, vb::VarType(number));
}

TEST(VariantObject, ValueConvertersCompareAsVariants) {
  FieldLike f{Variant(1)};
  EXPECT_TRUE(f == "1");
  EXPECT_TRUE("1" == f);
  EXPECT_TRUE(f == 1);
  EXPECT_FALSE(f == Variant("1"));
  EXPECT_FALSE(FieldLike{vb::Null} != 1);
}

}  // namespace
