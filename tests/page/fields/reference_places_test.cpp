// A value reference written where the designer put it: each place of the markup gets the rule
// that keeps the value one value there.
#include "page/fields/reference_places.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace page {
namespace {

// Fills every "@" of `html` (the designer's text, a reference at each "@") with `value`, each
// written for its place.
std::string filled(const std::string& html, const std::string& value) {
  std::vector<ReferenceSpan> spans;
  for (std::size_t at = html.find('@'); at != std::string::npos; at = html.find('@', at + 1)) {
    spans.push_back({at, 1});
  }
  const std::vector<ReferencePlace> places = reference_places(html, spans);
  std::string out;
  std::size_t from = 0;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    out += html.substr(from, spans[i].from - from) + written_for(places[i], value);
    from = spans[i].from + 1;
  }
  return out + html.substr(from);
}

const std::string kHostile = "a b=c\"d'e<f>&g</script><!--<script\r\n\\";

TEST(ReferencePlaces, EachPlaceWritesTheValueByItsOwnRule) {
  const std::string text =
      "a b=c&quot;d&#39;e&lt;f&gt;&amp;g&lt;/script&gt;&lt;!--&lt;script\r\n\\";
  const std::string unquoted =
      "a&#32;b&#61;c&#34;d&#39;e&#60;f&#62;&#38;g&#60;&#47;script&#62;&#60;&#33;&#45;&#45;&#60;"
      "script&#13;&#10;&#92;";
  const std::string js = "a b=c\\\"d\\'e\\x3Cf>&g\\x3C/script>\\x3C!--\\x3Cscript\\r\\n\\\\";
  const std::string literal =
      "\"a b=c\\\"d\\'e\\x3Cf>&g\\x3C\\/script>\\x3C!--\\x3Cscript\\r\\n\\\\\"";
  const std::string vbs =
      "a b=c\"\"d'e<\" & \"f>&g<\" & \"/script><\" & \"!--<\" & \"script\" & "
      "vbCr & \"\" & vbLf & \"\\";
  const std::string query = "a%20b%3Dc%22d%27e%3Cf%3E%26g%3C%2Fscript%3E%3C%21--%3Cscript%0D%0A%5C";
  const struct {
    const char* html;
    std::string shown;
  } cases[] = {
      {"<td>@</td>", "<td>" + text + "</td>"},
      {"<!-- @ -->", "<!-- " + text + " -->"},
      {"<style>p{}@</style>", "<style>p{}" + text + "</style>"},
      {"<textarea><b title=@></textarea>", "<textarea><b title=" + text + "></textarea>"},
      {"<b title=\"@\">", "<b title=\"" + text + "\">"},
      {"<b title='x @'>", "<b title='x " + text + "'>"},
      {"<span title=@>", "<span title=" + unquoted + ">"},
      {"<span title=x@y class=@>", "<span title=x" + unquoted + "y class=" + unquoted + ">"},
      {"<span @ title=x>", "<span  title=x>"},
      {"<span title=x @>", "<span title=x >"},
      {"<@>", "<" + text + ">"},  // "<" before a value opens no tag
      {"<script>var s='@', t=\"@\";</script>",
       "<script>var s='" + js + "', t=\"" + js + "\";</script>"},
      {"<script>var n=@;</script>", "<script>var n=" + literal + ";</script>"},
      {"<script>/* @ */ // @\r\n</script>",
       "<script>/* " + literal + " */ // " + literal + "\r\n</script>"},
      {"<script>var s=`x${@}@`;</script>",
       "<script>var s=`x${" + literal + "}${" + literal + "}`;</script>"},
      {"<script>var r=/'/g, s='@';</script>", "<script>var r=/'/g, s='" + js + "';</script>"},
      {"<script>var d=4/2, s='@';</script>", "<script>var d=4/2, s='" + js + "';</script>"},
      {"<script>var s='<\\/script>', t='@';</script>",
       "<script>var s='<\\/script>', t='" + js + "';</script>"},
      {"<script><!-- it's\r\nvar s='@';</script>",
       "<script><!-- it's\r\nvar s='" + js + "';</script>"},
      {"<script language=vbscript>s = \"@\" ' it's @\r\nt = @</script>",
       "<script language=vbscript>s = \"" + vbs + "\" ' it's \"" + vbs + "\"\r\nt = \"" + vbs +
           "\"</script>"},
      {"<b onclick=\"f('@')\">", "<b onclick=\"f('" +
                                     std::string("a "
                                                 "b=c\\&quot;d\\&#39;e\\x3Cf&gt;&amp;g\\x3C/"
                                                 "script&gt;\\x3C!--\\x3Cscript\\r\\n\\\\") +
                                     "')\">"},
      {"<b onclick='f(&quot;@&quot;)'>",
       "<b onclick='f(&quot;a "
       "b=c\\&quot;d\\&#39;e\\x3Cf&gt;&amp;g\\x3C/"
       "script&gt;\\x3C!--\\x3Cscript\\r\\n\\\\&quot;)'>"},
      {"<b onclick=f(@)>",
       "<b onclick=f(&#34;a&#32;b&#61;c&#92;&#34;d&#92;&#39;e&#92;x3Cf&#62;&#38;g&#92;x3C&#92;&#47;"
       "script&#62;&#92;x3C&#33;&#45;&#45;&#92;x3Cscript&#92;r&#92;n&#92;&#92;&#34;)>"},
      {"<a href='x.asp?id=@&k=1'>", "<a href='x.asp?id=" + query + "&k=1'>"},
      {"<a href='javascript:f(%22@%22)'>",
       "<a href='javascript:f(%22a b=c\\&quot;d\\&#39;e\\x3Cf&gt;&amp;g\\x3C/script&gt;\\x3C!--"
       "\\x3Cscript\\r\\n\\\\%22)'>"},
      {"<iframe srcdoc='@'></iframe>",
       "<iframe srcdoc='a "
       "b=c&amp;quot;d&amp;#39;e&amp;lt;f&amp;gt;&amp;amp;g&amp;lt;/script&amp;gt;"
       "&amp;lt;!--&amp;lt;script\r\n\\'></iframe>"},
  };
  for (const auto& c : cases) EXPECT_EQ(filled(c.html, kHostile), c.shown) << c.html;
}

TEST(ReferencePlaces, AnAddressCarriesTheValueOnlyWhereItsSchemeIsSafe) {
  const struct {
    const char* html;
    const char* value;
    const char* shown;
  } cases[] = {
      {"<a href=\"@\">", "javascript:alert(1)", "<a href=\"\">"},
      {"<img src= @>", " JavaScript:alert(1)", "<img src= >"},
      {"<a href='java@'>", "script:alert(1)", "<a href='java'>"},
      {"<a href='@@'>", "script:alert(1)", "<a href=''>"},  // a value before it settles nothing
      {"<a href='@'>", "http://x/?a=1&b=2", "<a href='http://x/?a=1&amp;b=2'>"},
      {"<a href='@'>", "files/a b.doc", "<a href='files/a b.doc'>"},
      {"<a href='/f/@'>", "javascript:alert(1)", "<a href='/f/javascript:alert(1)'>"},
      // in a path the value stays in the path, and on the host the designer wrote
      {"<a href='/f/@'>", "a?admin=1#x", "<a href='/f/a%3Fadmin=1%23x'>"},
      {"<a href=\"/@\">", "/evil.example/x", "<a href=\"/%2Fevil.example/x\">"},
      {"<img src='\\@'>", "\\evil.example/x", "<img src='\\%5Cevil.example/x'>"},
      {"<a href='http://x/@.doc'>", "//y?z", "<a href='http://x///y%3Fz.doc'>"},
      {"<a href='/f/x#@'>", "a?b#c", "<a href='/f/x#a?b#c'>"},
      {"<a href='x.asp?id=@'>", "1&admin=1#", "<a href='x.asp?id=1%26admin%3D1%23'>"},
      {"<form action=x.asp?k=@>", "1 2", "<form action=x.asp?k=1&#37;202>"},
      {"<a href='javascript:f(\"@\")'>", "%22);alert(1);//",
       "<a href='javascript:f(\"%2522);alert(1);//\")'>"},
  };
  for (const auto& c : cases) EXPECT_EQ(filled(c.html, c.value), c.shown) << c.html;
}

}  // namespace
}  // namespace page
