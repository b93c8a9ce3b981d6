// The two ways a value may enter SQL text: as a whole number or as quoted text.
#pragma once

#include <optional>
#include <string>

#include "vb/variant.h"

namespace library {

// The value as the digits of a whole number, for unquoted keys and the form key of table names.
// Text of an optional "-" and ASCII digits stands as it is; other text that IsNumeric accepts
// (blanks around it, a sign, separators, a point, an exponent, &H and &O) gives the digits of
// the number it reads when that is whole. Integer and Long values, and Double or Currency
// values without a fraction, give their digits; a Field stands for its value. Anything else,
// a fraction, Null, Empty and Boolean included, raises 13 "Type mismatch" at the caller's
// line, before any SQL runs.
std::string sql_int(const vb::Variant& v, vb::Here where = vb::Here::current());
// The digits sql_int writes, or nullopt where it raises 13 (a key that can name no row).
std::optional<std::string> sql_whole_number(const vb::Variant& v,
                                            vb::Here where = vb::Here::current());

// The key as the digits sql_whole_number gives, without leading zeros ("04", "4 ", "4.0", "+4"
// and "&H4" all give "4"), so that every later use of one key (SQL, an address, a comparison
// as text) sees one form of it; nullopt where sql_int raises 13.
std::optional<std::string> canonical_whole_number(const vb::Variant& v,
                                                  vb::Here where = vb::Here::current());

// The value as text for a '...' literal, every ' doubled; Null and Empty give "".
std::string sql_text(const vb::Variant& v, vb::Here where = vb::Here::current());

}  // namespace library
