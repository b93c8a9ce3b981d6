// The display names of the node's distribution users and departments.
#include <string>
#include <vector>

#include "library/sql_guard.h"
#include "page/scripts/node_options.h"
#include "page/work_recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

// One leading and one trailing ";" dropped.
vb::Variant unwrapped(const vb::Variant& list) {
  vb::Variant inner = list;
  if (vb::Left(inner, 1) == ";") inner = vb::Mid(inner, 2);
  if (vb::Right(inner, 1) == ";") inner = vb::Left(inner, vb::Len(inner) - 1);
  return inner;
}

// The non-empty entries of `list`, split at every character of `separators`.
std::vector<std::string> entries(const vb::Variant& list, const std::string& separators) {
  std::vector<std::string> out;
  std::string current;
  for (char c : vb::CStr(list)) {
    if (separators.find(c) == std::string::npos) {
      current += c;
      continue;
    }
    if (!current.empty()) out.push_back(current);
    current.clear();
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

// Appends column of every row of `sql` and a "," to names, counting with the shared ii; then
// drops the last ",".
void join_names(PageState& p, std::string sql, const char* column, vb::Variant& names) {
  auto& rs = open_query(p, p.rs, p.ctx.sql, std::move(sql));
  const long count = rs.RecordCount();
  for (p.ctx.ii = 1; p.ctx.ii <= count; p.ctx.ii = p.ctx.ii + 1) {
    names = names & rs(column) & ",";
    rs.MoveNext();
  }
  rs.Close();
}

void drop_last_comma(vb::Variant& names) {
  if (vb::Right(names, 1) == ",") names = vb::Left(names, vb::Len(names) - 1);
}

}  // namespace

void set_distribution_names(PageState& p) {
  if (p.FenFaUser != "") {
    p.FenFaUserList = unwrapped(p.FenFaUser);
    p.FenFaUserNames = "";
    // An empty entry (";;") is dropped, as it is from the department list, rather than
    // leaving a stray quote that would break the query.
    std::string quoted;
    for (const std::string& name : entries(p.FenFaUserList, ";")) {
      quoted += (quoted.empty() ? "" : "','") + library::sql_text(name);
    }
    p.FenFaUserSQL = "'" + quoted + (quoted.empty() ? "" : "'");
    if (p.FenFaUserSQL != "'") {
      join_names(p,
                 "select * from ke_userinfor where username in (" + vb::CStr(p.FenFaUserSQL) +
                     ") order by ordernumber",
                 "TureName", p.FenFaUserNames);
    }
    drop_last_comma(p.FenFaUserNames);
    p.FenFaUserDis = p.FenFaUserNames;
  }

  if (p.FenFaBuMen != "") {
    p.FenFaBuMenList = unwrapped(p.FenFaBuMen);
    p.FenFaBuMenNames = "";
    std::string keys;
    // Blanks around an id are allowed, as the database allows them in the list.
    for (const std::string& entry : entries(p.FenFaBuMenList, ";,")) {
      const vb::Variant key = vb::Trim(entry);
      if (key != "") keys += (keys.empty() ? "" : ",") + library::sql_int(key);
    }
    p.FenFaUserSQL = keys;
    if (!keys.empty()) {
      join_names(
          p,
          "select * from KE_Department where DepartMentID in (" + keys + ") order by ordernumber",
          "DepartName", p.FenFaBuMenNames);
    }
    drop_last_comma(p.FenFaBuMenNames);
    p.FenFaBuMenDis = p.FenFaBuMenNames;
  }
}

}  // namespace page
