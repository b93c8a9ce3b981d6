// The handling-result radios: successors from the model's connections, then the node's switches.
#include "handling/result_choice.h"

#include "handling/rows.h"
#include "library/escape.h"
#include "library/flags.h"
#include "library/sql_guard.h"
#include "platform/asp/server.h"
#include "vb/builtins.h"

namespace handling {
namespace {

constexpr char kRevokeLink[] =
    "<span id=schexiao name=schexiao><a href='#' onclick=\"CheXiaoGouTong();return false;\">"
    "（撤销沟通）</a></span>";

void add_successors(library::PageContext& ctx, const HandlingView& view,
                    std::vector<ResultRadio>& radios) {
  if (view.JieDianID == "") return;
  auto rs = open_rows(
      ctx, "select c.ToID, c.TiaoJian, n.JieDianName from OA_Flow_Model_JieDian_ConnectTiaoJian c "
           "left join OA_Flow_Model_JieDian n on n.OAID=c.ToID where c.FromID=" +
               library::sql_int(view.JieDianID) + " order by c.ToID, c.OAID");
  bool conditional = false;
  std::vector<ResultRadio> nodes;
  for (long i = 1, count = rs->RecordCount(); i <= count; ++i, rs->MoveNext()) {
    const vb::Variant condition = (*rs)("TiaoJian");
    if (!vb::IsNull(condition) && vb::Trim(condition) != "") conditional = true;
    const std::string key = vb::CStr((*rs)("ToID"));
    if (!nodes.empty() && nodes.back().value == key) continue;  // two connections, one node
    const vb::Variant name = (*rs)("JieDianName");
    nodes.push_back({key, vb::IsNull(name) || name == ""
                              ? key
                              : platform::asp::Server::HTMLEncode(name)});
  }
  rs->Close();
  if (conditional) radios.push_back({"TiaoJian", "按条件流转"});
  radios.insert(radios.end(), nodes.begin(), nodes.end());
}

}  // namespace

std::vector<ResultRadio> result_radios(library::PageContext& ctx, const HandlingView& view) {
  std::vector<ResultRadio> radios;
  if (view.DaiBanBanLiType == "1") {
    if (library::flag_set(view.isgoutong)) {
      radios.push_back({"GouTong", "回复沟通"});
      radios.push_back({"-4", "沟通"});
    } else {
      radios.push_back({"GouTong", "回复沟通", false});
      radios.push_back({"kkkkkkkkkkkkkkkkkk", "", false});
    }
    return radios;
  }
  add_successors(ctx, view, radios);
  if (view.isFirst == "3") radios.push_back({"JieShu", "结束流程"});
  if (library::flag_set(view.isFeiQi)) radios.push_back({"-1", "废弃"});
  if (library::flag_set(view.isBoHui)) radios.push_back({"-2", "驳回"});
  if (library::flag_set(view.iszhuanban)) radios.push_back({"-3", "转办"});
  if (library::flag_set(view.isgoutong)) radios.push_back({"-4", "沟通"});
  return radios;
}

void write_result_choice(library::PageContext& ctx, const HandlingView& view) {
  const std::vector<ResultRadio> radios = result_radios(ctx, view);
  const std::string chosen = library::html_attribute(view.BanLiJieGuo);
  platform::asp::Response& out = *ctx.Response;
  out.write("<table width=\"100%\" border=0 cellspacing=0 cellpadding=4>\r\n");
  out.write("\t<tr>\r\n\t\t<td width=90 align=right nowrap>办理结果：</td>\r\n\t\t<td>\r\n");
  for (const ResultRadio& radio : radios) {
    std::string input = "<input type=radio id=BanLiJieGuo name=BanLiJieGuo value=\"" +
                        library::html_attribute(radio.value) + "\"";
    if (!radio.visible) {
      if (radio.value == "GouTong") input += " checked";
      out.write("\t\t\t" + input + " style=\"display:none\">\r\n");
      continue;
    }
    if (radio.value == chosen) input += " checked";
    std::string caption = radio.caption;
    if (radio.value == "-4" && view.isSendGouTong == true) caption += kRevokeLink;
    out.write("\t\t\t<label>" + input + " onclick=\"checkRadio()\">" + caption +
              "</label>&nbsp;&nbsp;\r\n");
  }
  out.write("\t\t</td>\r\n\t</tr>\r\n");
  out.write(
      "\t<tr>\r\n\t\t<td></td>\r\n\t\t<td><div id=DataDIV name=DataDIV "
      "style=\"display:none\"></div></td>\r\n\t</tr>\r\n");
  out.write("</table>\r\n");
}

}  // namespace handling
