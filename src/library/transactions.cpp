// A transaction of its own, or a savepoint in the caller's.
#include "library/transactions.h"

#include <exception>

#include "platform/ado/connection.h"

namespace library {

void all_or_nothing(PageContext& ctx, const std::function<void()>& work) {
  auto& conn = ctx.conn.as<platform::ado::Connection>();
  if (!conn.in_transaction()) {
    conn.BeginTrans();
    try {
      work();
    } catch (const std::exception&) {  // a VbError or any other failure: nothing stays done
      conn.RollbackTrans();
      throw;
    }
    conn.CommitTrans();
    return;
  }
  // A second BeginTrans would fail; the caller's commit then kept none of this work.
  conn.Execute("SAVE TRANSACTION flowform_work");
  try {
    work();
  } catch (const std::exception&) {
    conn.Execute("ROLLBACK TRANSACTION flowform_work");
    throw;
  }
}

}  // namespace library
