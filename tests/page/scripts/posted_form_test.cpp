// The value references of the filled form: what the posted form carries of the stored values.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/fields/field_fixture.h"

namespace page_test {
namespace {

using PostedFormTest = FieldTest;

TEST_F(PostedFormTest, ValueReferencesTakeTheRawStoredValue) {
  form("{1:a}|{%1%}|{%2%}{%2%}|{%x%}|{% 1%}|{%9%}|{%3%}", {"A", "B", "C"}, "-2,", "-2,");
  field(1, "A", "'单行文本型'");
  field(2, "B", "'复选框'");
  field(3, "C", "'单行文本型'", ", isyincang, UserNames", ", '1', ';wang;'");
  record(", A, B, C", ", 'in{%2%}side', '1', 'secret'");
  handled_at(1);
  db_.exec("update OA_Flow_Model_JieDian set EditFields='-2,1,2,3,' where OAID=1");
  // The stored value of 1 holds a reference, which stays as typed, in the field and in the raw
  // value that {%1%} brings; the hidden field 3 gives nothing; " 1" is a number and names
  // field 1.
  EXPECT_EQ(filled(render_todo().body), "in{%2%}side|in{%2%}side|11||in{%2%}side||");
  EXPECT_THAT(filled(render_new_flow().body), ::testing::EndsWith("value=''>||||||"));
}

}  // namespace
}  // namespace page_test
