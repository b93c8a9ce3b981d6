// The markup of the current detail table: the AddRowMX/delMX script, the header row and the
// stored rows, editable or read-only.
#include "page/controls/detail_table_html.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "library/escape.h"
#include "page/entry/entry_queries.h"
#include "page/fields/value_references.h"
#include "page/scripts/script_lines.h"
#include "platform/asp/response.h"
#include "vb/builtins.h"

namespace page {
namespace {

constexpr std::string_view kTableAttributes =
    "  align='center' border='1' bordercolor='#c1cdd8' cellpadding='5' cellspacing='0' "
    "style='border-collapse: collapse' width='100%'>";
constexpr std::string_view kHeaderCell =
    "<td align='left' style='border-bottom: #c1cdd8 1px solid; background-color: #dbeaf5; "
    "height: 24px; color: #10659e; font-size: 12px; border-top: #000000 0px solid' ";
constexpr std::string_view kDeleteHeaderCell =
    "<td align='center' style='border-bottom: #c1cdd8 1px solid; background-color: #dbeaf5; "
    "height: 24px;width: 40px; color: #10659e; font-size: 12px; border-top: #000000 0px solid' "
    "><nobr>删除</td>";
constexpr std::string_view kRowStart = "<tr height='22' style='line-height: 120%'>";
constexpr std::string_view kValueCell =
    "<td align='left' style='background-color: #ffffff; padding-left: 3px; font-size: 12px' "
    "valign='center'>";
// The link sits inside <nobr>, so handing `del` the link itself makes it remove the link's
// row: handed the <nobr>, it would remove the table body with every row and the header.
constexpr std::string_view kDeleteCell =
    "<td align='left' style='border-bottom: #c1cdd8 1px solid;  height: 24px; color: #10659e; "
    "font-size: 12px; border-top: #000000 0px solid' ><nobr><a href='javascript:void(0)' "
    "onclick='del(this)'>删除</a></td>";

std::string text_of(const vb::Variant& v) { return vb::CStr(v.value()); }

// The stored values of the record's detail columns, split into rows once.
struct StoredRows {
  std::size_t count = 0;
  std::vector<std::vector<std::string>> columns;  // columns[k - 1][r]: the raw part r

  // Cell r of column k: trimmed, "◆" standing for a comma; "" past the column's end.
  std::string cell(std::size_t r, std::size_t k) const {
    const auto& parts = columns[k - 1];
    if (r >= parts.size()) return "";
    return vb::Replace(vb::Trim(parts[r]), "◆", ",");
  }
};

StoredRows read_stored_rows(PageState& p, long column_count) {
  StoredRows stored;
  // A table without columns has no first column to count its rows by: it shows its header.
  if (p.BiaoDanRecordID == "" || p.BiaoDanID == "" || column_count < 1) return stored;

  auto& rs = open_record_row(p);
  if (rs.RecordCount() > 0) {
    const vb::Variant first = rs(vb::Variant("QM") & p.MXTitles[1]);
    if (!vb::IsNull(first) && first != "") {
      p.arrMXRows = vb::Split(first, ",");
      stored.count = static_cast<std::size_t>(vb::UBound(p.arrMXRows) + 1);
      for (long k = 1; k <= column_count; ++k) {
        p.arrMXValues = rs(vb::Variant("QM") & p.MXTitles[k]);
        if (p.arrMXValues == "") p.arrMXValues = " ";
        // A Null column has no parts: its cells are empty, as those of a short column.
        std::vector<std::string> parts;
        if (!vb::IsNull(p.arrMXValues)) {
          const vb::Variant split = vb::Split(p.arrMXValues, ",");
          for (const vb::Variant& part : split.array()) {
            parts.push_back(part.str());
          }
        }
        stored.columns.push_back(std::move(parts));
      }
    }
  }
  rs.Close();
  return stored;
}

// The captions are the designer's markup; their value references are filled here, as the
// captions also name the record's columns.
void append_header(std::string& html, PageState& p, long column_count) {
  html += "<tr bgcolor='#d4d0c8'>";
  for (long k = 1; k <= column_count; ++k) {
    html += kHeaderCell;
    html += text_of(p.MXWidths[k]);
    html += '>';
    html += text_of(with_value_references(p, p.MXTitles[k], true));
    html += "</td>";
  }
}

void append_rows(std::string& html, const PageState& p, const StoredRows& stored, long column_count,
                 bool editable) {
  for (std::size_t r = 0; r < stored.count; ++r) {
    html += kRowStart;
    for (long k = 1; k <= column_count; ++k) {
      const std::string value = stored.cell(r, static_cast<std::size_t>(k));
      html += kValueCell;
      if (editable) {
        const std::string key = text_of(p.MXFields[k]);
        html += "<input type=text id='zd" + key + "' name='zd" + key + "' value='" +
                library::html_attribute(value) + "' style='width:99%'>";
      } else {
        html += library::html_attribute(value);
        html += "&nbsp;";
      }
      html += "</td>";
    }
    if (editable) html += kDeleteCell;
    html += "</tR>";
  }
}

}  // namespace

void write_detail_script(PageState& p) {
  const std::string n = text_of(p.MXIndex);
  const long column_count = vb::UBound(p.MXTitles);
  std::string script = script_lines({
      "<SCRIPT ID=clientEventHandlersJS LANGUAGE=javascript>",
      "<!--",
      "function AddRowMX" + n + "(){",
      "\tvar oRow = document.getElementById(\"myNowTable" + n + "\").insertRow();",
      "\toRow.style.height=\"25\";",
      "\tvar oCell;",
  });
  const auto add_cell = [&](long index, const std::string& align, const std::string& inner) {
    script += script_lines({
        "\toCell = oRow.insertCell(" + std::to_string(index) + ");",
        "\toCell.align=\"" + align + "\";",
        "\toCell.className=\"View_item2\";",
        "\toCell.innerHTML=\"" + inner + "\";",
    });
  };
  for (long k = 1; k <= column_count; ++k) {
    const std::string key = library::js_string(p.MXFields[k]);
    add_cell(k - 1, "left",
             "<input type=text id='zd" + key + "' name='zd" + key +
                 "' mingxi='ismingxi' style='width:99%'>");
  }
  add_cell(column_count, "center",
           "<a href='javascript:void(0)' onclick='delMX" + n + "(this)'>删除</a>");
  script += script_lines({
      "}",
      "function delMX" + n + "(obj){",
      "\tif(confirm(\"确实要删除该条记录吗？\")){",
      "\t\tobj.parentNode.parentNode.removeNode(true);",
      "\t}",
      "}",
      "//-->",
      "</SCRIPT>",
  });
  p.ctx.Response->write(script);
}

void build_detail_table(PageState& p) {
  const std::string n = text_of(p.MXIndex);
  const long column_count = vb::UBound(p.MXTitles);
  const bool editable = p.MXCanEdit.truthy();
  const StoredRows stored = read_stored_rows(p, column_count);

  std::string html;
  if (editable) {
    html +=
        "<INPUT type='button'  value='增加一行' id=button1 name=button1 "
        "onclick='vbscript:AddRowMX" +
        n + "()'><br><br>";
    html += "<table id=myNowTable" + n;
  } else {
    html += "<table  id=myNowTable" + n;
  }
  html += kTableAttributes;
  append_header(html, p, column_count);
  if (editable) html += kDeleteHeaderCell;
  html += "</tR>";
  append_rows(html, p, stored, column_count, editable);
  html += "</table>";
  p.strHTML = std::move(html);
}

}  // namespace page
