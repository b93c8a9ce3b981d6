// The page variables of the form fill-in page: one PageState per request, owned by the page
// object, read and written by every phase of I_init and by the frame's callbacks.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "library/page_context.h"
#include "platform/eventlog/event_log.h"
#include "vb/variant.h"

namespace page {

class ReferenceLookup;

// A part [from, to) of BiaoDanHTML, in bytes.
struct TemplatePart {
  std::size_t from = 0, to = 0;
};

// Every member starts Empty (the five bookmark and detail-table arrays start as dynamic arrays
// never sized) and keeps its value for the whole request. The library's working variables (conn,
// sql, strsql, ii, jj, kk, TimeOut, the tree accumulators, bumenlists) and the five intrinsic
// objects live only in `ctx`. Not shared between threads: one request, one PageState.
struct PageState {
  // The intrinsic objects of ctx stay null until I_init fetches them.
  explicit PageState(std::shared_ptr<platform::eventlog::EventLog> event_log,
                     std::optional<vb::Date> fixed_now = std::nullopt)
      : ctx(std::move(event_log), fixed_now) {}

  PageState(const PageState&) = delete;
  PageState& operator=(const PageState&) = delete;

  // Intrinsic objects, the connection and the library's shared working variables.
  library::PageContext ctx;

  // Request keys and mode.
  vb::Variant BiaoDanID, BiaoDanRecordID, JieDianID, BanLiID, LiuChengID, CurrentOperate,
      CurrentJieDianIDs, FileID, RecordID;

  // Work recordsets.
  vb::Variant rs, rs2, rsField, rsMX, rsDefault, rsYiJian, rsFuJian, rsLianJie;

  // Workflow model and its privileged copy.
  vb::Variant isSystem, LiuChengType, OldLiuChengID, rsOldHeader, OldFirstJieDianID, rsConnect,
      PrevJieDianID, NextOldJieDianID, NewJieDianID, LiuChengName, tmpLiuChengName;

  // Form definition.
  vb::Variant BiaoDanName, BiaoDanHTML, isJiaZai, ZhengWenType;

  // Current node and its switches.
  vb::Variant BanLiType, isFirst, isFirstJieDian, EditFields, iszhuanban, isgoutong, isFenFa,
      isFeiQi, isBoHui, isRen, TQUserList, JieDianRemark, RemarkVB, RemarkPRE, RemarkPASP,
      tmpJieDianName;

  // The user's to-do state.
  vb::Variant isTeQuanDaiBan, hasDaiBan, isGouTongOnly, isSendGouTong, DaiBanBanLiType, SendUser,
      isShowChoice;

  // The record.
  vb::Variant ContentHTML, FileTile, CodeNumber, isNewFile, BanLiJieGuo, BanLiYiJian, BanLiRenList;

  // Distribution.
  vb::Variant FenFaUser, FenFaBuMen, FenFaUserList, FenFaUserNames, FenFaUserSQL, FenFaUserDis,
      FenFaBuMenList, FenFaBuMenNames, FenFaBuMenDis;

  // Detail tables (MXTitles, MXFields, MXWidths are dynamic arrays).
  vb::Variant MXTitles = vb::Variant::unsized_array(), MXFields = vb::Variant::unsized_array(),
              MXWidths = vb::Variant::unsized_array();
  vb::Variant regEx, MXIndex, Matches, objMatch, GuanLianID, DisPlayItemS, MXCanEdit,
      arrDisPlayItem, MXFieldID, kuandu, strHTML, arrMXRows, arrMXValues;

  // Field placeholders.
  vb::Variant regEx2, HiddenFieldID, Matches2, objMatch2, FieldName, FieldType, isDefaultValue,
      BanLiJieDianIDs, iBanLi, zdID, zdValue, SqlDefault, nYear, nMonth, nDay, tmpFormat, nHour,
      nMinute, isEdit, YiJianFieldID, YiJianHTML, iFuJian, HiddenValue, strChecked, iItem,
      RadioValue, isRadioMatch, arrRadio, isRadioFirst, FieldHasDate, FieldHasTime, RiQiGeShi,
      ShiJianGeShi, FieldCanEdit, FieldNameDis, FieldIsDuoXuan, cxHTML, FuJianCount, lianjiename,
      RefValue, RefIDText, RefID, RefFieldName;
  // True while zdValue holds markup the page built from encoded parts (a stored file's link or
  // list, a picture): a file field without a stored file keeps its default, which is text.
  bool value_is_markup = false;
  // The parts of BiaoDanHTML that the template itself wrote, as the last placeholder pass left
  // them (unset before the first pass: all of it). Text a pass put in is never searched again.
  std::optional<std::vector<TemplatePart>> template_parts;
  // What the value references found so far stand for (value_references.cpp), kept for the page.
  std::shared_ptr<ReferenceLookup> reference_lookup;

  // Office document (BookMarkNames, BookMarkValues are dynamic arrays).
  vb::Variant BookMarkNames = vb::Variant::unsized_array(),
              BookMarkValues = vb::Variant::unsized_array();
  vb::Variant isImportWord, isTaoHong, isQianMing, isYinZhang, isWordProtect, isYanZhengQianMing,
      isZuiZhongWenDang, isChaKanHenJi, isChaKanYuanWenDang, isXiuDingJiLu, IsPrint, isLocalSave,
      IsRecMark, isHistory, WordServerOpenURL, WordServerSaveURL, tempFullScreenFile, isFullScreen,
      TureName, ocxFullScreenURL, ocxTaoHongURL, ocxDocVersionURL, isNewFlow;

  // Frames.
  vb::Variant PopWindowBgColor;
};

}  // namespace page
