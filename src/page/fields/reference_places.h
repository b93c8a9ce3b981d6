// Where a value reference stands in the markup of the form's designer, read as the browser
// reads it, and the value written by the rule of that place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "vb/variant.h"

namespace page {

struct ReferencePlace {
  // The markup around the reference: element content (any text the parser shows or skips:
  // a comment, a title, a style block), a tag outside any attribute value, an attribute value
  // in quotes or without, or a script block.
  enum class Markup { kText, kTag, kQuotedAttribute, kUnquotedAttribute, kScript };
  // What that markup holds there: text, markup of its own (an iframe's srcdoc), a JavaScript
  // string, template or code, a VBScript string or code, an address whose scheme the text
  // before the reference has not settled yet, an address's path, or its query string.
  enum class Inside {
    kText,
    kMarkup,
    kJsString,
    kJsTemplate,
    kJsCode,
    kVbsString,
    kVbsCode,
    kAddressStart,
    kAddressPath,
    kAddressQuery
  };

  Markup markup = Markup::kText;
  Inside inside = Inside::kText;
  // The script of a "javascript:" address, whose percent signs are decoded before it runs.
  bool script_address = false;
  // kAddressStart, kAddressPath: the address's own text before the reference.
  std::string address;
};

// A reference's bytes in the text.
struct ReferenceSpan {
  std::size_t from = 0, size = 0;
};

// The place of each of `references` (in increasing order, not overlapping) in `html`, which
// starts in element content. A reference earlier in the same value or script counts as a value
// there, never as markup.
std::vector<ReferencePlace> reference_places(std::string_view html,
                                             const std::vector<ReferenceSpan>& references);

// `value` as it must be written at `place`, so that it stays one value of that place whatever
// it holds: the browser reads back the stored text, and nothing of it runs or adds markup. In
// a tag outside any value it has no place and gives ""; at the start of an address it gives ""
// unless the address it makes is one a link may carry.
std::string written_for(const ReferencePlace& place, const vb::Variant& value);

}  // namespace page
