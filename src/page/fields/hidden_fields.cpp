// The form's hidden fields.
#include "page/fields/hidden_fields.h"

#include <string>

#include "library/sql_guard.h"
#include "page/fields/template_text.h"
#include "page/fields/user_lists.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {

std::vector<vb::Variant> hidden_field_keys(PageState& p, const vb::Variant& recordset) {
  const vb::Variant user = p.ctx.Session->get("UserName");
  auto& rs = open_query(p, recordset, p.ctx.sql,
                        "select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_" +
                            library::sql_int(p.BiaoDanID) + "_Main' and isyincang='1'");
  std::vector<vb::Variant> keys;
  const long count = rs.RecordCount();
  for (p.ctx.ii = 1; p.ctx.ii <= count; p.ctx.ii = p.ctx.ii + 1) {
    if (hides_from(rs("UserNames").Value(), user)) keys.push_back(rs("OAID").Value());
    rs.MoveNext();
  }
  rs.Close();
  return keys;
}

void blank_hidden_fields(PageState& p) {
  for (const vb::Variant& key : hidden_field_keys(p, p.rs)) {
    p.HiddenFieldID = key;
    vb::Variant regex, matches;
    TemplateText text(p.BiaoDanHTML, p.template_parts, "{" + vb::CStr(p.HiddenFieldID) + ":.*?}",
                      regex, matches);
    for (std::size_t i = 0; i < text.found().size(); ++i) text.fill(i, "&nbsp;");
    text.finish();
  }
}

}  // namespace page
