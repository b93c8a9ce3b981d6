// Checks and queries shared by the entries.
#include "page/entry/entry_queries.h"

#include <utility>

#include "library/sql_guard.h"
#include "page/page_stop.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {

void canonicalize_keys(std::initializer_list<vb::Variant*> keys, vb::Here where) {
  for (vb::Variant* key : keys) {
    auto digits = library::canonical_whole_number(*key, where);
    if (!digits) vb::raise(vb::kTypeMismatch, where);
    *key = std::move(*digits);
  }
}

platform::ado::Recordset& open_node_or_stop(PageState& p, vb::Here where) {
  auto& rs = open_query(
      p, p.rs, p.ctx.sql,
      "Select * from OA_Flow_Model_JieDian where OAID=" + library::sql_int(p.JieDianID, where),
      where);
  // JieDianID has passed sql_int above, so the message repeats a whole number only.
  if (!(rs.RecordCount(where) > 0)) {
    stop_page(p, "参数错误：读取节点办理方式错误，节点编号：" + vb::CStr(p.JieDianID, where));
  }
  return rs;
}

platform::ado::Recordset& open_record_row(PageState& p, vb::Here where) {
  return open_query(p, p.rs, p.ctx.sql,
                    "select * from OA_FLOW_" + library::sql_int(p.BiaoDanID, where) +
                        "_Main where OAID=" + library::sql_int(p.BiaoDanRecordID, where),
                    where);
}

}  // namespace page
