// The key of a value reference "{%" key "%}": any text that reads as a whole number names the
// field of that number, as the database finds the field by that text in its query.
#include <gtest/gtest.h>

#include <string>

#include "page/fields/field_fixture.h"

namespace page_test {
namespace {

class ReferenceKeysTest : public FieldTest {};

TEST_F(ReferenceKeysTest, EveryFormOfAWholeNumberNamesItsField) {
  const struct {
    const char* key;
    const char* shown;
  } cases[] = {
      {"2", "x&lt;&amp;"},
      {" 2 ", "x&lt;&amp;"},
      {"02", "x&lt;&amp;"},
      {"2.0", "x&lt;&amp;"},
      {"2e0", "x&lt;&amp;"},
      {".2E1", "x&lt;&amp;"},
      {"&H2", "x&lt;&amp;"},
      {"+2", "x&lt;&amp;"},
      {"2.5", ""},
      {"1e400", ""},
      {"2x", ""},
      {"5.0", ""},  // hidden
      {"20", ""},   // no such field
  };
  std::string html, expected;
  for (const auto& c : cases) {
    html += std::string("|{%") + c.key + "%}";
    expected += std::string("|") + c.shown;
  }
  form(html, {"B", "E"});
  field(2, "B", "'单行文本型'");
  field(5, "E", "'单行文本型'", ", isyincang, UserNames", ", '1', ';wang;'");
  record(", B, E", ", 'x<&', 'secret'");
  EXPECT_EQ(filled(render_todo().body), expected);
}

}  // namespace
}  // namespace page_test
