// Escaping of stored and request values where the page writes them: element content, an
// attribute, a textarea, a script string, a link's address or its query string, so that no
// value can change the page's structure.
#pragma once

#include <string>

#include "vb/variant.h"

namespace library {

// Each takes a value as CStr gives it (Empty and Null are "") and never raises.

// For a quoted attribute value: &, <, >, " and ' as &amp; &lt; &gt; &quot; &#39;. The browser
// decodes them, so what it posts back equals what is stored.
std::string html_attribute(const vb::Variant& value);

// For element content: the same encoding as html_attribute, so the text shows as stored and
// starts no tag. Display formatting that adds its own "<br>" or "&nbsp;" comes after it.
std::string html_text(const vb::Variant& value);

// For the body of a textarea: the same encoding as html_attribute. The browser decodes it, so
// the textarea's value is exactly the stored text and a save gives it back unchanged.
std::string textarea_text(const vb::Variant& value);

// For the inside of a JavaScript string in either quote: backslash, both quotes, CR, LF and the
// two Unicode line separators escaped with a backslash, and every "<" written "\x3C", so that
// neither "</script" nor "<!--" can reach the HTML parser.
std::string js_string(const vb::Variant& value);

// For the inside of a VBScript string in double quotes: a double quote doubled, a CR or LF
// written as `" & vbCr & "` or `" & vbLf & "`, and every "<" written `<" & "`, so that
// neither "</script" nor "<!--" can reach the HTML parser.
std::string vbs_string(const vb::Variant& value);

// For a JavaScript string inside a quoted attribute: js_string, then html_attribute. The browser
// decodes the attribute, and the script reads the value back exactly.
std::string js_string_in_attribute(const vb::Variant& value);

// For an unquoted attribute value: every ASCII character but a letter or a digit written as a
// numeric character reference ("&#32;" for a blank), so that nothing ends the value or adds an
// attribute; other characters as they are. The browser decodes them, so the attribute's value
// is the stored text.
std::string html_unquoted_attribute(const vb::Variant& value);

// For a value that script code takes as a text where no string holds it: js_string in double
// quotes, with every "/" also escaped, so that the literal stands as one text in code, in a
// comment ("*/" cannot end it) or in a regular expression.
std::string js_literal(const vb::Variant& value);

// For a value in the query string of an address: its code page 936 bytes (the code page requests
// are decoded in) with every byte but ASCII letters, digits and "-._~" written as %XX, so that
// no value adds a parameter or ends the address. The result holds nothing that the rules above
// change: it stands as it is in an attribute, a script string or element content.
std::string url_value(const vb::Variant& value);

// Whether a link may carry the value as its href: an http, https, ftp or mailto address (any
// letter case) or a relative one. Any other scheme (javascript:, vbscript:, data:, ...) is
// refused, as the browser would read it after dropping tabs, line breaks and leading blanks.
bool link_address_allowed(const vb::Variant& value);

}  // namespace library
