// The detail tables of the form template: their placeholders, their columns and the
// replacement of each placeholder by its table.
#include "page/controls/detail_tables.h"

#include <memory>
#include <string>

#include "library/escape.h"
#include "library/sql_guard.h"
#include "page/controls/detail_table_html.h"
#include "page/fields/editability.h"
#include "page/work_recordset.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace page {
namespace {

void start_columns(PageState& p) {
  // A key without a definition row, or a definition without captions, gives a table without
  // columns rather than repeating the columns of the table before it.
  p.DisPlayItemS = "";
  auto& rs = open_query(
      p, p.rsMX, p.ctx.sql,
      "select * from OA_Flow_BiaoDan_FieldGuanLian where OAID=" + library::sql_int(p.GuanLianID));
  if (rs.RecordCount() > 0 && !vb::IsNull(rs("DisPlayItemS"))) p.DisPlayItemS = rs("DisPlayItemS");
  rs.Close();

  vb::ReDim(p.MXTitles, 0);
  vb::ReDim(p.MXFields, 0);
  vb::ReDim(p.MXWidths, 0);
  p.MXCanEdit = true;
  p.arrDisPlayItem = vb::Split(p.DisPlayItemS, ",");
}

// Adds column k for the caption `item`: its field key, whether the node lets the user edit it,
// and its width.
void add_column(PageState& p, const vb::Variant& item) {
  const long k = vb::UBound(p.MXTitles) + 1;
  vb::ReDimPreserve(p.MXTitles, k);
  vb::ReDimPreserve(p.MXFields, k);
  vb::ReDimPreserve(p.MXWidths, k);
  p.MXTitles[k] = item;

  auto& rs = open_query(p, p.rsMX, p.ctx.sql,
                        "select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_" +
                            library::sql_int(p.BiaoDanID) + "_Main' and FieldName='QM" +
                            library::sql_text(vb::Trim(item)) + "'");
  if (rs.RecordCount() > 0) {
    p.MXFieldID = rs("OAID");
    p.MXFields[k] = p.MXFieldID;
    if (!may_edit(p, p.MXFieldID)) p.MXCanEdit = false;
    p.kuandu = rs("kuandu");
    if (vb::IsNull(p.kuandu)) p.kuandu = "";
    if (vb::IsNumeric(p.kuandu)) {
      const std::string unit = rs("leixing") == "像素" ? "" : "%";
      p.MXWidths[k] = "  style='width:" + library::html_attribute(p.kuandu) + unit + "'  ";
    }
  }
  rs.Close();
}

void read_columns(PageState& p) {
  start_columns(p);
  const long last = vb::UBound(p.arrDisPlayItem);
  for (p.ctx.ii = 0; p.ctx.ii <= last; p.ctx.ii = p.ctx.ii + 1) {
    const vb::Variant item = p.arrDisPlayItem[vb::CLng(p.ctx.ii)];
    if (vb::Trim(item) != "") add_column(p, item);
  }
}

}  // namespace

void build_detail_tables(PageState& p) {
  p.rsField = new_recordset();
  p.rsMX = new_recordset();
  auto expression = std::make_shared<platform::regexp::RegExp>();
  expression->IgnoreCase = true;
  expression->MultiLine = true;
  expression->Global = true;
  expression->Pattern = "\\$.*?:.*?\\$";
  p.regEx = expression;
  p.MXIndex = 0;
  auto matches = expression->Execute(p.BiaoDanHTML);
  p.Matches = matches;

  for (const auto& match : *matches) {
    p.objMatch = match;
    const std::string& text = match->Value;
    p.GuanLianID = vb::Mid(vb::Left(text, vb::InStr(text, ":") - 1), 2);
    if (!vb::IsNumeric(p.GuanLianID)) continue;

    p.MXIndex = p.MXIndex + 1;
    read_columns(p);
    write_detail_script(p);
    build_detail_table(p);
    p.BiaoDanHTML = vb::Replace(p.BiaoDanHTML, text, p.strHTML);
  }
}

}  // namespace page
