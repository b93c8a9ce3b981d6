// Work that writes all of its rows or none, inside the caller's transaction or in its own.
#pragma once

#include <functional>

#include "library/page_context.h"

namespace library {

// Runs `work` on ctx.conn so that a failure leaves nothing of it written. With no transaction
// open, `work` runs in one of its own, committed when it returns and rolled back when it
// raises. Inside the caller's transaction it runs there, after a savepoint to which a failure
// rolls back, and the caller's commit or rollback decides the rest. Raises what `work` raises.
void all_or_nothing(PageContext& ctx, const std::function<void()>& work);

}  // namespace library
