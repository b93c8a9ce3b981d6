// The form's hidden fields.
#include "page/hidden_fields.h"

#include <string>
#include <string_view>

#include "library/bumen.h"
#include "library/sql_guard.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool contains_ignoring_case(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && lower(text[at + i]) == lower(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

// Shown only to the users its list names; a list that is Null names nobody.
bool shown_to(const vb::Variant& UserNames, const vb::Variant& user) {
  if (vb::IsNull(UserNames)) return false;
  return contains_ignoring_case(vb::CStr(UserNames), ";" + vb::CStr(user) + ";");
}

}  // namespace

std::vector<vb::Variant> hidden_field_keys(PageState& p) {
  const vb::Variant user = p.ctx.Session->get("UserName");
  auto& rs = open_query(p, p.rs, p.ctx.sql,
                        "select * from OA_Flow_BiaoDan_Fields where TableName='OA_FLOW_" +
                            library::sql_int(p.BiaoDanID) + "_Main' and isyincang='1'");
  std::vector<vb::Variant> keys;
  const long count = rs.RecordCount();
  for (p.ctx.ii = 1; p.ctx.ii <= count; p.ctx.ii = p.ctx.ii + 1) {
    if (!shown_to(rs("UserNames").Value(), user)) keys.push_back(rs("OAID").Value());
    rs.MoveNext();
  }
  rs.Close();
  return keys;
}

void blank_hidden_fields(PageState& p) {
  for (const vb::Variant& key : hidden_field_keys(p)) {
    p.HiddenFieldID = key;
    p.BiaoDanHTML = library::replacetest(
        p.ctx, p.BiaoDanHTML, "{" + vb::CStr(p.HiddenFieldID) + ":.*?}", "&nbsp;");
  }
}

}  // namespace page
