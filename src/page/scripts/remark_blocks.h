// The script blocks of a node's remark: <VB>, <PRE> and <PASP>.
#pragma once

#include <string_view>

#include "vb/variant.h"

namespace page {

// The block `tag` ("VB", "PRE" or "PASP") of `remark`: the text between the last opening tag
// and the first closing tag after it (or the end of the remark), both found in any letter case,
// when the remark holds both tags in upper case; else "". This is what cutting the expression
// "((.|\n)*<TAG>)|(</TAG>(.|\n)*)" out of the remark leaves, found in one scan: the expression
// backtracks over the rest of the remark at every position, minutes on a long remark.
vb::Variant remark_block(const vb::Variant& remark, std::string_view tag);

}  // namespace page
