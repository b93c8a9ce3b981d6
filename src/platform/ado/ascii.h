// The ASCII name comparisons of vb/ascii.h, under the names this layer uses.
#pragma once

#include "vb/ascii.h"

namespace platform::ado {

using vb::ascii_iequals;
using vb::ascii_iless;
using vb::ascii_lower;
using vb::ascii_lowered;

}  // namespace platform::ado
