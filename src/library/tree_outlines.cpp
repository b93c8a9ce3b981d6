// The tree renderers that write collapsible outlines: departments with their users, catalogues
// with their documents, and the catalogue chooser. Every sub-node is a block whose ids "Out" &
// id & "i" (folder image), "t" (caption) and "s" (its children) the site's outline script uses.
#include <string>
#include <string_view>

#include "library/escape.h"
#include "library/permissions.h"
#include "library/rows.h"
#include "library/sql_guard.h"
#include "library/tree_walk.h"
#include "library/trees.h"

namespace library {
namespace {

using platform::ado::Recordset;

constexpr std::string_view kBlankIndent = "<img src='images/blank.gif'>";
constexpr std::string_view kLeaf = "<img align=middle src='images/tree_Dot.gif'>&nbsp;";
constexpr std::string_view kEndBlock = "</div>";

std::string indent(PageContext& ctx, std::string_view unit, const vb::Variant& level) {
  return text_of(stringcount(ctx, unit, level));
}

// The folder image that opens a block; the caption and the child container follow it.
std::string block_opening(const std::string& indentation, const std::string& id) {
  return "<nobr>" + indentation + "<img align=middle src='images/tree_OFolder.gif' id=Out" + id +
         "i style='CURSOR: hand' class=Outline>&nbsp;";
}

std::string block_children(const std::string& id) {
  return "<div id=Out" + id + "s style='DISPLAY: '>";
}

// The users of a department outline, active ones by OrderNumber, on-line ones in blue.
void write_users(PageContext& ctx, const vb::Variant& department, const vb::Variant& level) {
  auto users =
      open_rows(ctx, "select * from KE_UserInfor where DepartMentID=" + sql_int(department) +
                         " and  AccountState='1' order by OrderNumber");
  const long count = users->RecordCount();
  for (long i = 1; i <= count; ++i) {
    Recordset& user = *users;
    ctx.sql = "select * from KE_PersonOnline where UserName='" + sql_text(user("UserName")) + "'";
    const bool online = open_rows(ctx, ctx.sql)->RecordCount() > 0;
    const vb::Variant name = user("TureName");
    std::string line = "<nobr>" + indent(ctx, kBlankIndent, level);
    line.append(kLeaf).append("<A class=Topic id='Top").append(html_attribute(user("UserName")));
    line.append(
        "'   style='cursor: hand'  onclick=Javascript:OpenSmallWindows('ShortMsg.asp?TrueName=");
    line.append(url_value(name)).append("&UserName=");
    line.append(url_value(user("UserName"))).append("') title='账号：");
    line.append(html_attribute(user("UserName"))).append(" IP地址：");
    line.append(html_attribute(user("IPAddress")));
    if (online) {
      line.append("' ><font color=blue>").append(html_text(name)).append("</font></a></nobr><BR>");
    } else {
      line.append("'><font color=gray>").append(html_text(name)).append("</a></nobr><BR>");
    }
    ctx.Response->write(line);
    users->MoveNext();
  }
  users->Close();
}

// The documents of a catalogue outline, newest first.
void write_documents(PageContext& ctx, const vb::Variant& catalogue, const vb::Variant& level) {
  auto documents =
      open_rows(ctx, "select * from OA_Document where CatNumber=" + sql_int(catalogue) +
                         " order by UpdateDate Desc");
  const long count = documents->RecordCount();
  for (long i = 1; i <= count; ++i) {
    const vb::Variant oaid = (*documents)("OAID");
    const vb::Variant subject = (*documents)("DocSubject");
    ctx.Response->write("<nobr>" + indent(ctx, kBlankIndent, level) + std::string(kLeaf) +
                        "<A class=Topic id='Top" + html_attribute(oaid) + "'  title='" +
                        html_attribute(subject) +
                        "'   style='cursor: hand'    onclick=Javascript:OpenDocDetail("
                        "'OA_DocDisplay.asp?OAID=" +
                        url_value(oaid) + "')>" + html_text(subject) + "</a></nobr><BR>");
    documents->MoveNext();
  }
  documents->Close();
}

}  // namespace

void tabshowdepartmentchildandusername(PageContext& ctx, const vb::Variant& id,
                                       const vb::Variant& level) {
  walk_tree(
      ctx, "tabshowdepartmentchildandusername", "DepartmentID", id, level,
      [&](const vb::Variant& node, const vb::Variant& node_level) {
        write_users(ctx, node, node_level);
        ctx.sql = "select * from KE_Department where ParentID=" + sql_int(node);
        return open_rows(ctx, ctx.sql);
      },
      [&](Recordset& rows, const vb::Variant&, const vb::Variant& node_level) {
        const std::string key = text_of(rows("DepartMentID"));
        ctx.Response->write(block_opening(indent(ctx, kBlankIndent, node_level), key));
        ctx.Response->write("<A class=Outline id=Out" + key + "t>" + html_text(rows("departName")) +
                            "</a></nobr><br>");
        ctx.Response->write(block_children(key));
        return RowStep{true, kEndBlock};
      });
}

void tabshowdocumentstructure(PageContext& ctx, const vb::Variant& id, const vb::Variant& level) {
  walk_tree(
      ctx, "tabshowdocumentstructure", "KEID", id, level,
      [&](const vb::Variant& node, const vb::Variant& node_level) {
        if (haspower(ctx, "CHKDOS" & node) == true) write_documents(ctx, node, node_level);
        ctx.sql = "select * from KE_Catalog where ParentID=" + sql_int(node) +
                  " order by CreateDate Desc";
        return open_rows(ctx, ctx.sql);
      },
      [&](Recordset& rows, const vb::Variant& node, const vb::Variant& node_level) {
        // Both codes are those of the catalogue whose rows these are, and both are asked.
        const bool may_open = haspower(ctx, "CHKDOP" & node) == true;
        const bool may_see = haspower(ctx, "CHKDOS" & node) == true;
        if (!may_open && !may_see) return RowStep{};
        const std::string key = text_of(rows("KEID"));
        const vb::Variant name = rows("CatName");
        ctx.Response->write(block_opening(indent(ctx, kBlankIndent, node_level), key));
        ctx.Response->write("<A class=Outline href='OA_DocumentList.asp?CatNumber=" +
                            url_value(key) + "' id=Out" + key + "t target='detail'  title='" +
                            html_attribute(name) + "' >" + html_text(name) + "</a></nobr><br>");
        ctx.Response->write(block_children(key));
        return RowStep{true, kEndBlock};
      });
}

void showdoctree(PageContext& ctx, const vb::Variant& id, const vb::Variant& level) {
  walk_tree(
      ctx, "showdoctree", "KEID", id, level,
      [&](const vb::Variant& node, const vb::Variant&) {
        ctx.sql = "select * from KE_Catalog where ParentID=" + sql_int(node) +
                  " order by CreateDate Desc";
        return open_rows(ctx, ctx.sql);
      },
      [&](Recordset& rows, const vb::Variant&, const vb::Variant& node_level) {
        const std::string key = text_of(rows("KEID"));
        if (haspower(ctx, "CHKDOP" & vb::Variant(rows("KEID"))) == true) {
          const vb::Variant name = rows("CatName");
          ctx.Response->write(block_opening(indent(ctx, "&nbsp;&nbsp;&nbsp;", node_level), key));
          ctx.Response->write("<A class=Outline  id=Out" + key + "t  title='" +
                              html_attribute(name) + "' >" + html_text(name) +
                              "</a><INPUT type=radio id=tree name=tree  onclick=\" "
                              "javascript:ClickS(" +
                              key + ",'" + js_string_in_attribute(name) + "')\"   value=" + key +
                              "></nobr><br>");
        }
        // A catalogue the user may not open is hidden, but its permitted descendants show.
        ctx.Response->write(block_children(key));
        return RowStep{true, kEndBlock};
      });
}

}  // namespace library
