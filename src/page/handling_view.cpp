// The handling panel's view of the page state.
#include "page/handling_view.h"

namespace page {

handling::HandlingView handling_view(const PageState& p) {
  handling::HandlingView v;
  v.BiaoDanID = p.BiaoDanID;
  v.BiaoDanRecordID = p.BiaoDanRecordID;
  v.JieDianID = p.JieDianID;
  v.BanLiID = p.BanLiID;
  v.LiuChengName = p.LiuChengName;
  v.BiaoDanName = p.BiaoDanName;
  v.ZhengWenType = p.ZhengWenType;
  v.FileTile = p.FileTile;
  v.ContentHTML = p.ContentHTML;
  v.BiaoDanHTML = p.BiaoDanHTML;
  v.isFirst = p.isFirst;
  v.iszhuanban = p.iszhuanban;
  v.isgoutong = p.isgoutong;
  v.isFenFa = p.isFenFa;
  v.isFeiQi = p.isFeiQi;
  v.isBoHui = p.isBoHui;
  v.TQUserList = p.TQUserList;
  v.isTeQuanDaiBan = p.isTeQuanDaiBan;
  v.DaiBanBanLiType = p.DaiBanBanLiType;
  v.isSendGouTong = p.isSendGouTong;
  v.BanLiJieGuo = p.BanLiJieGuo;
  v.BanLiYiJian = p.BanLiYiJian;
  v.FenFaUser = p.FenFaUser;
  v.FenFaBuMen = p.FenFaBuMen;
  v.FenFaUserDis = p.FenFaUserDis;
  v.FenFaBuMenDis = p.FenFaBuMenDis;
  return v;
}

}  // namespace page
