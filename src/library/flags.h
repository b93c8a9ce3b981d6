// The one test of a flag or switch column ("1" set, anything else not), for page and library.
#pragma once

#include "vb/variant.h"

namespace library {

// True only when the value equals "1" as text (a Field stands for its value). Null, Empty, "",
// "0" and every other value are not set, so `!flag_set(v)` is true for a Null column, where
// VB's `v <> "1"` would be Null and take the Else branch. A column whose stated default for
// Null is "set" is tested as `v.is_null() || flag_set(v)` at its one place of use.
inline bool flag_set(const vb::Variant& v) { return v == "1"; }

}  // namespace library
