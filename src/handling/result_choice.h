// The choice of the handling result: the radio group BanLiJieGuo and the div DataDIV.
#pragma once

#include <string>
#include <vector>

#include "handling/handling_view.h"
#include "library/page_context.h"

namespace handling {

// One radio of the group: its value, its caption (markup) and whether it shows.
struct ResultRadio {
  std::string value;
  std::string caption;
  bool visible = true;
};

// The radios of the current node, in this order: "TiaoJian" when a connection from the node
// carries a condition; one per successor node key (ascending, each once; the caption is the
// node's name, or the key when the node is gone); "JieShu" at an end node (isFirst "3"); and
// "-1", "-2", "-3", "-4" where isFeiQi, isBoHui, iszhuanban, isgoutong are "1". A consultation
// answer (DaiBanBanLiType "1") gets only "GouTong" and "-4" when the node allows consultation,
// else a hidden "GouTong" and a hidden "kkkkkkkkkkkkkkkkkk". Reads the connections from
// OA_Flow_Model_JieDian_ConnectTiaoJian (SQL text left in ctx.sql); JieDianID must be a whole
// number (13 otherwise) unless it is "".
std::vector<ResultRadio> result_radios(library::PageContext& ctx, const HandlingView& view);

// Writes the radios as one table row, the one whose value is BanLiJieGuo checked (the hidden
// "GouTong" always), and the hidden div DataDIV right after them. The "-4" label holds the span
// schexiao with the revoke link when the user has an open consultation (isSendGouTong).
void write_result_choice(library::PageContext& ctx, const HandlingView& view);

}  // namespace handling
