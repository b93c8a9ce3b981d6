// The tree renderers that write drop-down options, their indentation helpers, and the name of a
// request type.
#include <cmath>
#include <string>
#include <string_view>

#include "library/escape.h"
#include "library/lookup_query.h"
#include "library/rows.h"
#include "library/sql_guard.h"
#include "library/tree_walk.h"
#include "library/trees.h"

namespace library {
namespace {

using platform::ado::Recordset;

// How many times a "For jj = 1 To count" loop runs.
long repeats(const vb::Variant& count) {
  const double n = vb::CDbl(count);
  return n >= 1 ? static_cast<long>(std::floor(n)) : 0;
}

std::string repeated(const vb::Variant& text, long times) {
  const std::string unit = text_of(text);
  std::string out;
  out.reserve(unit.size() * static_cast<std::size_t>(times));
  for (long i = 0; i < times; ++i) out += unit;
  return out;
}

// tabshowdepartmentchild and tabshowreqtypechild: one option per node, its branch after it.
void option_tree(PageContext& ctx, std::string_view routine, std::string_view query,
                 std::string_view id_column, std::string_view name_column, const vb::Variant& id,
                 const vb::Variant& level) {
  walk_tree(
      ctx, routine, id_column, id, level,
      [&](const vb::Variant& node, const vb::Variant&) {
        ctx.sql = std::string(query) + sql_int(node);
        return open_rows(ctx, ctx.sql);
      },
      [&](Recordset& rows, const vb::Variant&, const vb::Variant& node_level) {
        ctx.Response->write("<OPTION value=" + text_of(rows(id_column)) + ">" +
                            text_of(stringcount(ctx, "|--", node_level)) +
                            html_text(rows(name_column)) + "</OPTION>");
        return RowStep{true, {}};
      });
}

}  // namespace

vb::Variant stringcount(PageContext& ctx, const vb::Variant& text, const vb::Variant& count) {
  vb::Variant result;
  ctx.routine("stringcount", [&] {
    result = text;
    const long times = repeats(count);
    if (times > 0) result = repeated(text, times + 1);
    ctx.jj = vb::Variant(times + 1);
  });
  return result;
}

void writecountsign(PageContext& ctx, const vb::Variant& text, const vb::Variant& count) {
  ctx.routine("writecountsign", [&] {
    const long times = repeats(count);
    ctx.Response->write(repeated(text, times));
    ctx.jj = vb::Variant(times + 1);
  });
}

void writecountsigns(PageContext& ctx, const vb::Variant& n) {
  ctx.routine("writecountsigns", [&] {
    if (n > 0) ctx.Response->write("<td nowrap class=DepartLine height=20></td>");
  });
}

void tabshowdepartmentchild(PageContext& ctx, const vb::Variant& id, const vb::Variant& level) {
  option_tree(ctx, "tabshowdepartmentchild",
              "select * from KE_Department where ParentID=", "DepartMentID", "DepartName", id,
              level);
}

void tabshowreqtypechild(PageContext& ctx, const vb::Variant& id, const vb::Variant& level) {
  option_tree(ctx, "tabshowreqtypechild", "select * from KE_ReqType where ParentID=", "ReqTypeID",
              "ReqTypeName", id, level);
}

void listuser(PageContext& ctx, const vb::Variant& id, const vb::Variant& level) {
  constexpr std::string_view kIndent = "|&nbsp;&nbsp;";
  walk_tree(
      ctx, "listuser", "DepartmentID", id, level,
      [&](const vb::Variant& node, const vb::Variant& node_level) {
        auto users =
            open_rows(ctx, "select * from KE_UserInfor where DepartMentID=" + sql_int(node));
        const long count = users->RecordCount();
        for (long i = 1; i <= count; ++i) {
          const std::string address = text_of((*users)("IPAddress"));
          const std::string value = address.empty() ? "NONE" : html_attribute(address);
          ctx.Response->write("<OPTION VALUE='" + value + "'>" +
                              text_of(stringcount(ctx, kIndent, node_level)) + "*" +
                              html_text((*users)("TureName")) + "</OPTION> ");
          users->MoveNext();
        }
        users->Close();
        ctx.sql = "select * from KE_Department where ParentID=" + sql_int(node);
        return open_rows(ctx, ctx.sql);
      },
      [&](Recordset& rows, const vb::Variant&, const vb::Variant& node_level) {
        ctx.Response->write("<OPTION value='NONE'>" +
                            text_of(stringcount(ctx, kIndent, node_level)) +
                            html_text(rows("departName")) + "</OPTION>");
        return RowStep{true, {}};
      });
}

vb::Variant showreqtypename(PageContext& ctx, const vb::Variant& id) {
  vb::Variant result;
  ctx.routine("showreqtypename", [&] {
    ctx.sql = "select * from KE_ReqType where ReqTypeID=" + sql_int(id);
    result = first_value(ctx, ctx.sql, "ReqTypeName", vb::Variant());
  });
  return result;
}

}  // namespace library
