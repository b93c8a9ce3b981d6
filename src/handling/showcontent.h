// The handling panel of the form fill-in page, written into the frame's content area.
#pragma once

#include "handling/handling_view.h"
#include "library/page_context.h"

namespace handling {

// Writes, in this order: the hidden notice row TBInfor (yellow) for a missing document
// control; the title row (form name, model name, record title); the handling-result choice
// with DataDIV; block 1 with the filled form BiaoDanHTML unchanged; block 8 with the document
// body div ZhengWenXinXi (ZhengWenType "1": the div WebOfficeDiv and the insertKongJian call
// with the request's REMOTE_ADDR; "2": the hidden textarea ContentHTML and the editor frame;
// none otherwise); the opinion block (yiJian, BanLiYiJian); the distribution block when isFenFa
// is "1" and DaiBanBanLiType is not "1"; the history (block 3) and the attachments (block 2).
// Values go into attributes, textareas and script strings escaped. Runs under the routine
// handler "showcontent": a failure is written and logged and the call returns; a page stop
// passes through.
void showcontent(library::PageContext& ctx, const HandlingView& view);

}  // namespace handling
