// Where a point of a script stands for the value written there: in a string, a template or
// code, read with the few rules of each language that decide it.
#pragma once

#include <string_view>

#include "page/fields/reference_places.h"

namespace page {

// Stands in a text read again for a reference filled earlier: a value, never markup or syntax.
inline constexpr char kValueMark = '\x01';

// The end of `script`, JavaScript as a script block or an event handler holds it: kJsString in
// a string in either quote, kJsTemplate in the text of a template, kJsCode anywhere else (code,
// a comment, a regular expression). A regular expression is told from a division by the token
// before the "/", as the engine tells it.
ReferencePlace::Inside js_place(std::string_view script);

// The end of `script` in VBScript: kVbsString in a string, kVbsCode anywhere else.
ReferencePlace::Inside vbs_place(std::string_view script);

}  // namespace page
