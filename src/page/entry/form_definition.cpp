// The form definition of the record, from OA_Flow_BiaoDan.
#include "page/entry/form_definition.h"

#include "library/flags.h"
#include "library/sql_guard.h"
#include "page/page_stop.h"
#include "page/work_recordset.h"

namespace page {

void load_form_definition(PageState& p) {
  if (p.CurrentOperate == "") stop_page(p, "参数错误！");

  auto& rs =
      open_query(p, p.rs, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan where OAID = " + library::sql_int(p.BiaoDanID));
  if (!(rs.RecordCount() > 0)) stop_page(p, "错误参数！");
  p.BiaoDanHTML = rs("BiaoDanCSS");
  p.BiaoDanName = rs("Name");
  p.isJiaZai = rs("isJiaZai");
  p.BiaoDanHTML = vb::Variant("<DIV id=JiBenXinXi name=JiBenXinXi>") & p.BiaoDanHTML & "</DIV>";
  p.template_parts.reset();  // all of it is the template's own text
  p.ZhengWenType = rs("ZhengWenType");
  if (library::flag_set(p.isJiaZai)) p.isNewFile = false;
  rs.Close();

  p.isFirstJieDian = false;
}

}  // namespace page
