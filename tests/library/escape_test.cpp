// Values written into attributes, textareas and script strings cannot leave them.
#include "library/escape.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "vb/builtins.h"

namespace {

struct Case {
  std::string in, html, js, vbs;
};

// Element content, attributes and textareas share one encoding; each script string breaks
// every "<", so no "</script" and no "<!--" (which would swallow the next script end) is left.
TEST(Escape, EachContextBreaksWhatWouldEndIt) {
  const Case cases[] = {
      {"O'Brien", "O&#39;Brien", "O\\'Brien", "O'Brien"},
      {"say \"hi\"", "say &quot;hi&quot;", "say \\\"hi\\\"", "say \"\"hi\"\""},
      {"a&b<c>", "a&amp;b&lt;c&gt;", "a&b\\x3Cc>", "a&b<\" & \"c>"},
      {"x</TextArea>y", "x&lt;/TextArea&gt;y", "x\\x3C/TextArea>y", "x<\" & \"/TextArea>y"},
      {"</script>", "&lt;/script&gt;", "\\x3C/script>", "<\" & \"/script>"},
      {"<!--<script", "&lt;!--&lt;script", "\\x3C!--\\x3Cscript", "<\" & \"!--<\" & \"script"},
      {"&lt;b&gt;", "&amp;lt;b&amp;gt;", "&lt;b&gt;", "&lt;b&gt;"},
      {"1\r\n2", "1\r\n2", "1\\r\\n2", "1\" & vbCr & \"\" & vbLf & \"2"},
      {"c:\\dir/a", "c:\\dir/a", "c:\\\\dir/a", "c:\\dir/a"},
      {"行\xE2\x80\xA8尾", "行\xE2\x80\xA8尾", "行\\u2028尾", "行\xE2\x80\xA8尾"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    const vb::Variant v(c.in);
    EXPECT_EQ(library::html_attribute(v), c.html) << c.in;
    EXPECT_EQ(library::js_string(v), c.js) << c.in;
    EXPECT_EQ(library::vbs_string(v), c.vbs) << c.in;
  }
}

// A query-string value travels as its code page 936 bytes, the code page the request is read
// in; nothing in it can add a parameter or end the address, a script string or an attribute.
TEST(Escape, AQueryStringValueIsPercentEncodedInTheRequestsCodePage) {
  const std::pair<vb::Variant, const char*> cases[] = {
      {"5&TName=x", "5%26TName%3Dx"},
      {"1\n", "1%0A"},
      {"张三", "%D5%C5%C8%FD"},
      {"a b+c/d?e#f%g", "a%20b%2Bc%2Fd%3Fe%23f%25g"},
      {"'\"</script><!--<script\\", "%27%22%3C%2Fscript%3E%3C%21--%3Cscript%5C"},
      {"Az09-._~", "Az09-._~"},
      {"\xF0\x9F\x98\x80", "%26%23128512%3B"},  // not in the code page: its character reference
      {vb::Variant(vb::NullValue{}), ""},
      {12, "12"},
  };
  for (const auto& [value, encoded] : cases) {
    EXPECT_EQ(library::url_value(value), encoded) << vb::CStr(value & "");
  }
}

TEST(Escape, ALinkAddressNeedsAKnownSchemeOrNone) {
  const std::pair<const char*, bool> cases[] = {
      {"http://www.example.com/a?b=c#d", true},
      {"HTTPS://example.com", true},
      {"ftp://files.example.com", true},
      {"mailto:a@example.com", true},
      {"../Public/page.asp?x=1:2", true},
      {"page.asp#part:1", true},
      {"", true},
      {"javascript:alert(1)", false},
      {"  JavaScript:alert(1)", false},
      {"java\tscript:alert(1)", false},
      {"java\r\nscript:alert(1)", false},
      {"\x01vbscript:msgbox(1)", false},
      {"data:text/html,<script>alert(1)</script>", false},
      {"&#106;avascript:alert(1)", true},  // written encoded, the browser reads it as a path
  };
  for (const auto& [address, allowed] : cases) {
    EXPECT_EQ(library::link_address_allowed(vb::Variant(address)), allowed) << address;
  }
}

}  // namespace
