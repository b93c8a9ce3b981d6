// Numbers as text under the system's settings ('.' decimal point, ',' thousands, ¥ currency):
// the lenient reader behind CDbl, IsNumeric and comparisons, and the writers behind CStr.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vb/variant.h"

namespace vb {

// Reads the whole text as a number or gives nullopt. Accepts blanks (space, tab, CR, LF)
// around it, a sign before or after, parentheses for negative, thousands separators, a
// decimal point, an exponent, a leading currency sign, and &H / &O forms (read as a 16-bit
// number up to 4 hex digits, else 32-bit, so "&HFFFF" is -1).
std::optional<double> parse_number(std::string_view text);

// A Double as VB writes it: 15 significant digits, plain from 1E-4 up to 1E15, else
// "1.5E+20" / "1E-05"; negative zero is "0".
std::string format_double(double d);

// Currency with up to four decimals, trailing zeros and a bare point dropped ("12.5").
std::string format_currency(Currency c);

}  // namespace vb
