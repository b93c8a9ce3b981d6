// What the button bar and the handling panel read of the page: a copy of the page variables
// that the page body fills before the frame calls them back.
#pragma once

#include "vb/variant.h"

namespace handling {

// Plain values, named as the page names them; every member keeps its Variant form (Empty,
// Null, "" and numbers are told apart as the page told them).
struct HandlingView {
  // Record keys.
  vb::Variant BiaoDanID, BiaoDanRecordID, JieDianID, BanLiID;
  // The workflow model and the form.
  vb::Variant LiuChengName, BiaoDanName, ZhengWenType;
  // The record: its title, its body text and the filled form template.
  vb::Variant FileTile, ContentHTML, BiaoDanHTML;
  // The current node's kind, switches and privileged users.
  vb::Variant isFirst, iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui, TQUserList;
  // The user's position in the to-do list at the node.
  vb::Variant isTeQuanDaiBan, DaiBanBanLiType, isSendGouTong;
  // The handling step: its stored result and opinion.
  vb::Variant BanLiJieGuo, BanLiYiJian;
  // Distribution: the node's lists and their display texts.
  vb::Variant FenFaUser, FenFaBuMen, FenFaUserDis, FenFaBuMenDis;
};

}  // namespace handling
