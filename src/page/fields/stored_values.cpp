// The value a placeholder of an existing record shows, with its bookmark entry.
#include "page/fields/stored_values.h"

#include <memory>
#include <utility>

#include "library/bumen.h"
#include "library/escape.h"
#include "library/formatting.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "page/fields/value_references.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

using platform::ado::Recordset;

// "流程状态：审批中&nbsp;{&nbsp;" with the node of the first to-do row and at most four handlers.
vb::Variant status_in_progress(PageState& p) {
  vb::Variant status = "流程状态：审批中&nbsp;{&nbsp;";
  auto& todo = open_query(p, p.rs2, p.ctx.sql,
                          " select  *  from OA_DaiBan_LiuCheng where BiaoDanRecordID='" +
                              library::sql_text(p.BiaoDanRecordID) + "' and BiaoDanID='" +
                              library::sql_text(p.BiaoDanID) + "'");
  p.BanLiRenList = "";
  const long count = todo.RecordCount();
  for (p.ctx.jj = 1; p.ctx.jj <= count; p.ctx.jj = p.ctx.jj + 1) {
    if (p.ctx.jj == 1) {
      p.tmpJieDianName = library::getnamefromid(p.ctx, "OA_Flow_Model_JieDian", "JieDianName",
                                                "OAID", todo("JieDianID").Value());
      status =
          status & library::html_text(with_value_references(p, p.tmpJieDianName, false)) & "：";
    }
    if (p.ctx.jj > 4) {
      p.BanLiRenList = p.BanLiRenList & "...";
      break;
    }
    const vb::Variant name =
        library::html_text(library::showusername(p.ctx, todo("BanLiRen").Value()));
    p.BanLiRenList = p.BanLiRenList == "" ? name : p.BanLiRenList & "," & name;
    todo.MoveNext();
  }
  todo.Close();
  return status & p.BanLiRenList & "&nbsp;}";
}

// Grows both bookmark arrays by one element; returns the new last index.
long append_bookmark(PageState& p) {
  const long entry = vb::UBound(p.BookMarkNames) + 1;
  vb::ReDimPreserve(p.BookMarkNames, entry);
  vb::ReDimPreserve(p.BookMarkValues, entry);
  return entry;
}

}  // namespace

platform::ado::Recordset& RecordRow::get(PageState& p) {
  if (!row_) {
    auto row = std::make_shared<Recordset>();
    p.ctx.sql = "select * from OA_FLOW_" + library::sql_int(p.BiaoDanID) +
                "_Main where OAID=" + library::sql_int(p.BiaoDanRecordID);
    row->Open(p.ctx.sql, p.ctx.conn, 1, 3);
    row_ = std::move(row);
  }
  return *row_;
}

void read_stored_value(PageState& p, RecordRow& row) {
  auto& record = row.get(p);
  if (!(record.RecordCount() > 0)) return;
  const long entry = append_bookmark(p);
  vb::Variant& name = p.BookMarkNames[entry];
  if (p.zdID == "_1") {
    p.zdValue = record("CodeNumber").Value();
    name = "编号";
  } else if (p.zdID == "_2") {
    p.zdValue = record("FileTile").Value();
    name = "标题";
  } else if (p.zdID == "_3") {
    p.zdValue = library::showusername(p.ctx, record("TiJiaoRen").Value());
    name = "提交人";
  } else if (p.zdID == "_4") {
    p.zdValue =
        library::lwformatdatetime(p.ctx, record("TiJiaoDate").Value(), "yyyy 年 mm 月 dd 日");
    name = "提交日期";
  } else if (p.zdID == "_5") {
    p.zdValue = library::getbumenlists(
        p.ctx, library::showuserdepartmentid(p.ctx, record("TiJiaoRen").Value()));
    name = "所在部门";
  } else if (p.zdID == "_6") {
    const vb::Variant isover = record("isover").Value();
    if (isover == "1") {
      p.zdValue = "流程状态：审批结束";
    } else if (isover == "0") {
      p.zdValue = status_in_progress(p);
    }
    name = "状态";
  } else {
    name = stored_field_value(p, record);
  }
  // The document gets a remark with its line breaks; the page keeps the text as stored.
  p.BookMarkValues[entry] =
      p.FieldType == "备注型" ? library::getlongtext(p.ctx, p.zdValue) : p.zdValue;
}

}  // namespace page
