// The panel's queries: each on a recordset of its own, so the page's work recordsets and the
// caller's loop are left alone.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "library/page_context.h"
#include "platform/ado/recordset.h"

namespace handling {

// Puts sql into ctx.sql and opens it over ctx.conn (keyset cursor, optimistic locking).
// Raises what Recordset::Open raises, at the caller's line.
inline std::shared_ptr<platform::ado::Recordset> open_rows(library::PageContext& ctx,
                                                           std::string sql,
                                                           vb::Here where = vb::Here::current()) {
  ctx.sql = std::move(sql);
  auto rs = std::make_shared<platform::ado::Recordset>();
  rs->Open(ctx.sql, ctx.conn, 1, 3, where);
  return rs;
}

}  // namespace handling
