// Small helpers of the permission checks, trees and walks: opening the rows of a query, and a
// value as text the way "&" takes it.
#pragma once

#include <memory>
#include <string>

#include "library/page_context.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"
#include "vb/variant.h"

namespace library {

// A recordset of its own, open on sql over ctx.conn with a keyset cursor and optimistic
// locking, holding all the rows. Errors carry the caller's line.
inline std::shared_ptr<platform::ado::Recordset> open_rows(PageContext& ctx, const vb::Variant& sql,
                                                           vb::Here where = vb::Here::current()) {
  auto rs = std::make_shared<platform::ado::Recordset>();
  rs->Open(sql, ctx.conn, 1, 3, where);
  return rs;
}

// The value as CStr gives it, with Null and Empty as "" (never raises 94 for Null).
inline std::string text_of(const vb::Variant& v) { return vb::CStr(vb::Variant("") & v); }

}  // namespace library
