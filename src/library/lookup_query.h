// The one query shape of the look-ups: a recordset of their own, read on its first row only.
#pragma once

#include <memory>

#include "library/page_context.h"
#include "platform/ado/recordset.h"
#include "vb/variant.h"

namespace library {

// Opens a recordset of its own on sql over ctx.conn (keyset cursor, optimistic locking) and,
// when it has rows, hands it to read positioned on the first. Closes it and returns whether
// there was a row. Errors carry the line of the calling statement (or of read's own).
template <class Read>
bool read_first_row(PageContext& ctx, const vb::Variant& sql, Read&& read,
                    vb::Here where = vb::Here::current()) {
  auto rs = std::make_shared<platform::ado::Recordset>();
  rs->Open(sql, ctx.conn, 1, 3, where);
  const bool found = rs->RecordCount(where) > 0;
  if (found) read(*rs);
  rs->Close(where);
  return found;
}

// The column (name or position) of the first row of sql, or not_found when there is no row.
inline vb::Variant first_value(PageContext& ctx, const vb::Variant& sql, const vb::Variant& column,
                               const vb::Variant& not_found, vb::Here where = vb::Here::current()) {
  vb::Variant value = not_found;
  read_first_row(
      ctx, sql, [&](platform::ado::Recordset& rs) { value = rs(column, where); }, where);
  return value;
}

}  // namespace library
