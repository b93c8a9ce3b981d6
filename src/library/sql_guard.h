// The two ways a value may enter SQL text: as a whole number or as quoted text.
#pragma once

#include <string>

#include "vb/variant.h"

namespace library {

// The value as the digits of a whole number, for unquoted keys and the form key of table names.
// Text must be an optional "-" and ASCII digits, nothing else (no blanks, signs, separators,
// exponents or hex); Integer and Long values, and Double or Currency values without a fraction,
// give their digits; a Field stands for its value. Anything else, Null and Empty included,
// raises 13 "Type mismatch" at the caller's line, before any SQL runs.
std::string sql_int(const vb::Variant& v, vb::Here where = vb::Here::current());

// The value as text for a '...' literal, every ' doubled; Null and Empty give "".
std::string sql_text(const vb::Variant& v, vb::Here where = vb::Here::current());

}  // namespace library
