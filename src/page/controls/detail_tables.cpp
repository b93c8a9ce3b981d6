// The detail tables of the form template: their placeholders, their columns and the
// replacement of each placeholder by its table.
#include "page/controls/detail_tables.h"

#include <string>

#include "library/escape.h"
#include "library/sql_guard.h"
#include "page/controls/detail_table_html.h"
#include "page/fields/template_text.h"
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
  // A numeric key with a fraction names no row: no query is built from it.
  if (const auto key = library::sql_whole_number(p.GuanLianID)) {
    auto& rs = open_query(p, p.rsMX, p.ctx.sql,
                          "select * from OA_Flow_BiaoDan_FieldGuanLian where OAID=" + *key);
    if (rs.RecordCount() > 0 && !vb::IsNull(rs("DisPlayItemS"))) {
      p.DisPlayItemS = rs("DisPlayItemS");
    }
    rs.Close();
  }

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
  p.MXIndex = 0;
  TemplateText html(p.BiaoDanHTML, p.template_parts, "\\$.*?:.*?\\$", p.regEx, p.Matches);
  const auto& matches = p.Matches.as<platform::regexp::Matches>();

  for (std::size_t i = 0; i < html.found().size(); ++i) {
    p.objMatch = matches.Item(static_cast<long>(i));
    const std::string& text = html.found()[i];
    p.GuanLianID = vb::Mid(vb::Left(text, vb::InStr(text, ":") - 1), 2);
    if (!vb::IsNumeric(p.GuanLianID)) continue;

    p.MXIndex = p.MXIndex + 1;
    read_columns(p);
    write_detail_script(p);
    build_detail_table(p);
    html.fill(i, vb::CStr(p.strHTML));
  }
  html.finish();
}

}  // namespace page
