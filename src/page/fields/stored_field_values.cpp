// The stored value of a field key by its type: opinion and sign-off tables, file links and
// lists, pictures, or the column as stored.
#include <string>

#include "library/download_address.h"
#include "library/escape.h"
#include "library/flags.h"
#include "library/formatting.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "page/fields/stored_values.h"
#include "page/fields/value_references.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

using library::url_value;
using platform::ado::Recordset;

// The opinions (意见型) or sign-offs (签字型) of the field, oldest first, as one table.
vb::Variant opinion_table(PageState& p, Recordset& field) {
  p.YiJianFieldID = field("OAID").Value();
  p.rsYiJian = new_recordset();
  auto& opinions = open_query(p, p.rsYiJian, p.ctx.sql,
                              " select * from OA_Flow_YiJian where BiaoDanRecordID='" +
                                  library::sql_text(p.BiaoDanRecordID) + "' and BiaoDanID='" +
                                  library::sql_text(p.BiaoDanID) + "' and FieldID='" +
                                  library::sql_text(p.YiJianFieldID) + "' order by OAID");
  const bool with_opinion = p.FieldType == "意见型";
  std::string html;
  const long count = opinions.RecordCount();
  if (count > 0) {
    html =
        "<TABLE  border=1 borderColorDark=#e1e1e1  width=100%   borderColorLight=#ffffff "
        "cellSpacing=0 cellpadding=3>";
  }
  for (p.iFuJian = 1; p.iFuJian <= count; p.iFuJian = p.iFuJian + 1) {
    if (with_opinion) {
      vb::Variant text = opinions("YiJian").Value();
      html += "<TR><TD  style='padding:10px;'>" + vb::CStr(library::displaytext(p.ctx, text)) +
              "</TD></TR>";
      html += "<TR bgcolor=f7f7f7 ><TD align=right  style='margin-right:5px;'>";
    } else {
      html += "<TR  ><TD align=right  style='margin-right:5px;'>";
    }
    html += library::html_text(library::showusername(p.ctx, opinions("UserName").Value())) +
            "&nbsp;&nbsp;" + library::html_text(opinions("ShiJian").Value()) + "</TD></TR>";
    opinions.MoveNext();
  }
  if (count > 0) html += "</Table>";
  p.YiJianHTML = html;
  opinions.Close();
  p.rsYiJian = vb::Variant();
  return p.YiJianHTML;
}

// The download link of a 附件型 field's stored file.
std::string file_link(PageState& p, Recordset& record, const vb::Variant& FieldName,
                      const vb::Variant& title) {
  const std::string name = url_value(FieldName);
  return "<a href='#' oncontextmenu='javascript:return(false);'  onclick=\"DownLoadFile('../"
         "Public/OA_Download.asp?FieldName=" +
         name + "Title&FileContentField=" + name + "Content&Table=OA_FLOW_" +
         url_value(p.BiaoDanID) + "_Main&OAID=OAID&Value=" + url_value(record("OAID").Value()) +
         "')\">※." + library::html_text(title) + "</a>";
}

// The stored files of a 多附件型 field, one block each with the captions the field carries.
vb::Variant file_list(PageState& p, Recordset& field) {
  p.rsFuJian = new_recordset();
  auto& files = open_query(p, p.rsFuJian, p.ctx.sql,
                           " select * from OA_Flow_FuJian where BiaoDanRecordID='" +
                               library::sql_text(p.BiaoDanRecordID) + "' and BiaoDanID='" +
                               library::sql_text(p.BiaoDanID) + "' and BanLiID=0  and FieldID='" +
                               library::sql_text(field("OAID").Value()) + "'  order by OAID");
  std::string html;
  const long count = files.RecordCount();
  for (p.iFuJian = 1; p.iFuJian <= count; p.iFuJian = p.iFuJian + 1) {
    html +=
        "<div  style='PADDING-RIGHT: 10px; PADDING-LEFT: 10px; PADDING-BOTTOM: 8px;WIDTH: 10; "
        "PADDING-TOP: 8px'><nobr>";
    html += "附件" + vb::CStr(p.iFuJian) +
            "：<A  href='#'     onclick=DownLoadFile('" +
            library::attachment_download_address(files("OAID").Value()) +
            "')><FONT color=#425d8c>" +
            library::html_text(files("FileName").Value()) + "</FONT></A>";
    for (const char* k : {"1", "2", "3"}) {
      if (library::flag_set(field(std::string("isFJ") + k))) {
        // The designer's caption is markup, its references filled as in the editable list.
        const vb::Variant caption =
            with_value_references(p, field(std::string("FJ") + k + "BiaoTi").Value(), true);
        html += "&nbsp;" + vb::CStr(caption & "") + ":" +
                library::html_text(files(std::string("ShuoMing") + k).Value());
      }
    }
    html += "</nobr></div>";
    files.MoveNext();
  }
  p.YiJianHTML = html;
  files.Close();
  p.rsFuJian = vb::Variant();
  return p.YiJianHTML;
}

void value_by_type(PageState& p, Recordset& record, Recordset& field) {
  const vb::Variant FieldName = field("FieldName").Value();
  const vb::Variant column = vb::Trim(FieldName);
  const vb::Variant& type = p.FieldType;
  if (!(type == "附件型" || type == "多附件型" || type == "图片型" || type == "签名文件型" ||
        type == "查询型")) {
    p.zdValue = record(column).Value();
  }
  if (type == "附件型") {
    const vb::Variant title = record(column & "Title").Value();
    if (title != "") {
      p.zdValue = file_link(p, record, FieldName, title);
      p.value_is_markup = true;
    }
  }
  p.HiddenValue = "";
  if (type == "查询型") {
    p.zdValue = record(column).Value();
    p.HiddenValue = record(column & "value").Value();
  }
  if (type == "多附件型") {
    p.zdValue = file_list(p, field);
    p.value_is_markup = true;
  }
  if (type == "图片型" && record(column) != "") {
    p.zdValue = "<img src='../showPhoto.asp?FName=" + url_value(FieldName) + "&TName=OA_FLOW_" +
                url_value(p.BiaoDanID) + "_Main&OAID=" + url_value(p.BiaoDanRecordID) + "'>";
    p.value_is_markup = true;
  }
  if (type == "签名文件型" && record(column) != "") {
    p.zdValue = "<img src='../showPhoto.asp?FName=FileContent&TName=OA_Flow_QianMing&OAID=" +
                url_value(record(column).Value()) + "'>";
    p.value_is_markup = true;
  }
}

}  // namespace

vb::Variant stored_field_value(PageState& p, Recordset& record) {
  auto& field =
      open_query(p, p.rsField, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan_Fields where oaid=" + library::sql_int(p.zdID));
  vb::Variant name = vb::Trim(field("FieldName").Value());
  if (vb::Left(name, 2) == "QM") name = vb::Mid(name, 3);
  if (p.FieldType == "意见型" || p.FieldType == "签字型") {
    p.zdValue = opinion_table(p, field);
  } else {
    value_by_type(p, record, field);
  }
  field.Close();
  return name;
}

}  // namespace page
