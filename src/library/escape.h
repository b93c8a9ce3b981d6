// Escaping of stored and request values where the page writes them into an attribute, a textarea
// or a script string, so that no value can leave its element or its string.
#pragma once

#include <string>

#include "vb/variant.h"

namespace library {

// Each takes a value as CStr gives it (Empty and Null are "") and never raises.

// For a quoted attribute value: &, <, >, " and ' as &amp; &lt; &gt; &quot; &#39;. The browser
// decodes them, so what it posts back equals what is stored.
std::string html_attribute(const vb::Variant& value);

// For the body of a textarea: the value as stored, except that "</textarea" in any letter case
// is written "&lt;/textarea" (letters kept), so the value cannot end its textarea early.
std::string textarea_text(const vb::Variant& value);

// For the inside of a JavaScript string in either quote: backslash, both quotes, CR, LF and the
// two Unicode line separators escaped with a backslash, and "</" written "<\/" so that
// "</script>" cannot end the script block.
std::string js_string(const vb::Variant& value);

// For the inside of a VBScript string in double quotes: a double quote doubled, a CR or LF
// written as `" & vbCr & "` or `" & vbLf & "`, and "</" written `<" & "/` so that "</script>"
// cannot end the script block.
std::string vbs_string(const vb::Variant& value);

}  // namespace library
