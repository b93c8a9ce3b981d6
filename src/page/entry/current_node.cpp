// The current node and its editable fields.
#include "page/entry/current_node.h"

#include "library/sql_guard.h"
#include "page/page_stop.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

void read_node(PageState& p, platform::ado::Recordset& node) {
  p.EditFields = node("EditFields");
  p.isFirst = node("isFirst");
  p.iszhuanban = node("iszhuanban");
  p.isgoutong = node("isgoutong");
  p.isFenFa = node("isFenFa");
  p.isFeiQi = node("isFeiQi");
  p.isBoHui = node("isBoHui");
  p.isRen = node("isRen");
}

void load_first_node(PageState& p) {
  auto& rs = open_query(p, p.rs, p.ctx.sql,
                        "select * from OA_Flow_Model_JieDian where isFirst ='1'  and Moaid=" +
                            library::sql_int(p.LiuChengID));
  if (!(rs.RecordCount() > 0)) stop_page(p, "错误参数！");
  read_node(p, rs);
  p.JieDianID = rs("OAID");
  rs.Close();
  p.isFirstJieDian = true;
}

void load_all_fields_editable(PageState& p) {
  p.EditFields = "-1,-2,";
  auto& rs = open_query(p, p.rs, p.ctx.sql,
                        "select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_" +
                            library::sql_int(p.BiaoDanID) + "_Main'");
  const long count = rs.RecordCount();
  for (p.ctx.ii = 1; p.ctx.ii <= count; p.ctx.ii = p.ctx.ii + 1) {
    p.EditFields = p.EditFields & rs("OAID") & ",";
    rs.MoveNext();
  }
  rs.Close();
  p.isFirstJieDian = true;
}

}  // namespace

void load_current_node(PageState& p) {
  if (p.CurrentOperate == "新建流程") {
    if (p.LiuChengType == 1 || p.LiuChengType == 2) {
      load_first_node(p);
    } else if (!vb::IsEmpty(p.LiuChengType) && p.LiuChengType == 0) {
      // Empty would compare equal to 0; a model of unknown kind must get no editable field.
      load_all_fields_editable(p);
    }
    return;
  }

  auto& rs = open_query(
      p, p.rs, p.ctx.sql,
      "select * from OA_Flow_Model_JieDian where   OAID=" + library::sql_int(p.JieDianID));
  if (!(rs.RecordCount() > 0)) stop_page(p, "错误参数！");
  read_node(p, rs);
  rs.Close();
}

}  // namespace page
