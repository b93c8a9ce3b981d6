// Stored names that try to leave their place in a page, each with the form every place must
// write it in; shared by the tests of the library's trees and lists.
#pragma once

#include <string>

namespace library_test {

struct HostileName {
  std::string stored;
  std::string html;    // element content or a quoted attribute: & < > " ' encoded
  std::string url;     // a query-string value: code page 936 bytes, percent-encoded
  std::string script;  // a script string in an attribute: escaped for the script, then the HTML
};

inline const HostileName kHostileNames[] = {
    {"<i>&'\"</script><!--<script\r\na b",
     "&lt;i&gt;&amp;&#39;&quot;&lt;/script&gt;&lt;!--&lt;script\r\na b",
     "%3Ci%3E%26%27%22%3C%2Fscript%3E%3C%21--%3Cscript%0D%0Aa%20b",
     "\\x3Ci&gt;&amp;\\&#39;\\&quot;\\x3C/script&gt;\\x3C!--\\x3Cscript\\r\\na b"},
    {"张三 5&TName=x", "张三 5&amp;TName=x", "%D5%C5%C8%FD%205%26TName%3Dx", "张三 5&amp;TName=x"},
    {"&lt;b&gt;", "&amp;lt;b&amp;gt;", "%26lt%3Bb%26gt%3B", "&amp;lt;b&amp;gt;"},
};

// The text as an SQLite string literal.
inline std::string sql_literal(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

}  // namespace library_test
