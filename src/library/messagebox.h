// The message box that ends a page with a short note to the user: a centred box with the blue
// title band "系统提示", a light-blue message area and a green footer line.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// Writes the box with `message` in its message area. The message is markup and is written as
// it is (Null and Empty write nothing there). Runs under the error convention as "messagebox".
void messagebox(PageContext& ctx, const vb::Variant& message);

}  // namespace library
