// The page body's work recordsets.
#include "page/work_recordset.h"

#include <memory>
#include <utility>

namespace page {

vb::Variant new_recordset() { return vb::Variant(std::make_shared<platform::ado::Recordset>()); }

platform::ado::Recordset& open_query(PageState& p, const vb::Variant& rs, vb::Variant& text_var,
                                     std::string text, vb::Here where) {
  auto& recordset = rs.as<platform::ado::Recordset>(where);
  text_var = std::move(text);
  recordset.Open(text_var, p.ctx.conn, 1, 3, where);
  return recordset;
}

}  // namespace page
