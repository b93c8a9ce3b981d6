// Checks and queries that the entries share: the request's keys, the node row of JieDianID and
// the record's row in the form's record table.
#pragma once

#include <initializer_list>

#include "page/page_state.h"
#include "platform/ado/recordset.h"
#include "vb/variant.h"

namespace page {

// Raises 13 at the caller's line unless every key is a whole number (library::sql_int), so an
// entry fails before it runs any query; then writes each key as its canonical digits
// (library::canonical_whole_number), so "04" and "4.0" open, address and match the to-do rows
// of record 4 as "4" does.
void canonicalize_keys(std::initializer_list<vb::Variant*> keys,
                       vb::Here where = vb::Here::current());

// Opens rs on "Select * from OA_Flow_Model_JieDian where OAID=" & JieDianID. When there is no
// row, writes "参数错误：读取节点办理方式错误，节点编号：" & JieDianID and ends the page.
platform::ado::Recordset& open_node_or_stop(PageState& p, vb::Here where = vb::Here::current());

// Opens rs on "select * from OA_FLOW_" & BiaoDanID & "_Main where OAID=" & BiaoDanRecordID.
platform::ado::Recordset& open_record_row(PageState& p, vb::Here where = vb::Here::current());

}  // namespace page
