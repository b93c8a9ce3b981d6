// Values written into attributes, textareas and script strings cannot leave them.
#include "library/escape.h"

#include <gtest/gtest.h>

#include <string>

#include "vb/builtins.h"

namespace {

struct Case {
  std::string in, attribute, textarea, js, vbs;
};

TEST(Escape, EachContextBreaksWhatWouldEndIt) {
  const Case cases[] = {
      {"O'Brien", "O&#39;Brien", "O'Brien", "O\\'Brien", "O'Brien"},
      {"say \"hi\"", "say &quot;hi&quot;", "say \"hi\"", "say \\\"hi\\\"", "say \"\"hi\"\""},
      {"a&b<c>", "a&amp;b&lt;c&gt;", "a&b<c>", "a&b<c>", "a&b<c>"},
      {"x</TextArea>y", "x&lt;/TextArea&gt;y", "x&lt;/TextArea>y", "x<\\/TextArea>y",
       "x<\" & \"/TextArea>y"},
      {"</script>", "&lt;/script&gt;", "</script>", "<\\/script>", "<\" & \"/script>"},
      {"1\r\n2", "1\r\n2", "1\r\n2", "1\\r\\n2", "1\" & vbCr & \"\" & vbLf & \"2"},
      {"c:\\dir/a", "c:\\dir/a", "c:\\dir/a", "c:\\\\dir/a", "c:\\dir/a"},
      {"行\xE2\x80\xA8尾", "行\xE2\x80\xA8尾", "行\xE2\x80\xA8尾", "行\\u2028尾",
       "行\xE2\x80\xA8尾"},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    const vb::Variant v(c.in);
    EXPECT_EQ(library::html_attribute(v), c.attribute) << c.in;
    EXPECT_EQ(library::textarea_text(v), c.textarea) << c.in;
    EXPECT_EQ(library::js_string(v), c.js) << c.in;
    EXPECT_EQ(library::vbs_string(v), c.vbs) << c.in;
  }
}

TEST(Escape, NonTextValuesAreWrittenAsCStrGivesThem) {
  EXPECT_EQ(library::html_attribute(vb::Variant()), "");
  EXPECT_EQ(library::js_string(vb::Variant(vb::Null)), "");
  EXPECT_EQ(library::vbs_string(vb::Variant(12)), "12");
  EXPECT_EQ(library::textarea_text(vb::Variant(true)), "True");
}

}  // namespace
