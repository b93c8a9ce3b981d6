// The button bar: one table cell per button, each with its click script.
#include "handling/winmenu.h"

#include <string>
#include <string_view>

#include "library/flags.h"
#include "library/lookup_query.h"
#include "library/sql_guard.h"
#include "vb/builtins.h"

namespace handling {
namespace {

void button(platform::asp::Response& out, std::string_view id, std::string_view click,
            std::string_view caption) {
  std::string cell = "\t\t<td";
  if (!id.empty()) cell += " id=" + std::string(id);
  cell += " class=\"MenuButton\" nowrap style=\"cursor:hand\" onclick=\"" + std::string(click) +
          "\">&nbsp;" + std::string(caption) + "&nbsp;</td>\r\n";
  out.write(cell);
}

bool has_special_todo_entry(library::PageContext& ctx, const HandlingView& view) {
  if (view.BiaoDanRecordID == "") return false;
  ctx.sql = "select * from OA_DaiBan_LiuCheng where BiaoDanID='" +
            library::sql_text(view.BiaoDanID) + "' and BiaoDanRecordID='" +
            library::sql_text(view.BiaoDanRecordID) + "' and BanLiRen='" +
            library::sql_text(ctx.Session->get("UserName")) + "' and BanLiType='T'";
  return library::read_first_row(ctx, ctx.sql, [](platform::ado::Recordset&) {});
}

}  // namespace

bool is_privileged(library::PageContext& ctx, const HandlingView& view) {
  const vb::Variant user = ctx.Session->get("UserName");
  if (!library::flag_set(view.isFirst) && user != "" &&
      vb::InStr(view.TQUserList, vb::Variant(";") & user & ";") > 0) {
    return true;
  }
  // Only the modify road reads the kind of the user's entry; elsewhere it is read here.
  if (vb::IsEmpty(view.isTeQuanDaiBan)) return has_special_todo_entry(ctx, view);
  return view.isTeQuanDaiBan == true;
}

void winmenu(library::PageContext& ctx, const HandlingView& view) {
  ctx.routine("winmenu", [&] {
    platform::asp::Response& out = *ctx.Response;
    out.write("<table border=0 cellspacing=2 cellpadding=0>\r\n");
    out.write("\t<tr>\r\n");
    if (is_privileged(ctx, view)) {
      button(out, "", "javascript:openFlow('../system/workflow/TQMain.asp');", "特权办理");
      out.write("\t\t<td><input type=hidden id=isteQuan name=isteQuan value=\"1\"></td>\r\n");
    }
    button(out, "Td_ColumnSet1", "parent.saveToDB('0',this)", "暂存");
    button(out, "Td_ColumnSet2",
           "if(confirm('您确定要将当前文档提交到下一流程办理吗？'))parent.saveToDB('1',this)",
           "下一步");
    button(out, "", "javascript:DaYinWord();", "打印");
    if (ctx.Session->get("CurrentLiuchengID") != "") {
      button(out, "", "javascript:openFlow('../system/workflow/FlowGraphDis.asp');", "流程信息");
    }
    if (library::flag_set(view.isFeiQi)) {
      button(out, "", "javascript:if(confirm('确实要删除该流程单吗？')) todel();", "废弃");
    }
    button(out, "", "javascript:window.close();", "关闭");
    out.write("\t\t<!--\r\n");
    button(out, "", "fullscreen()", "最大");
    button(out, "", "restore()", "还原");
    out.write("\t\t-->\r\n");
    out.write("\t</tr>\r\n");
    out.write("</table>\r\n");
  });
}

}  // namespace handling
