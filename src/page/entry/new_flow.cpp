// New-flow entry and the form of the new flow: the model named by the request's LiuChengID.
#include "library/lookups.h"
#include "page/entry/entry_queries.h"
#include "page/entry/mode.h"
#include "page/entry/model_copy.h"
#include "page/page_stop.h"
#include "platform/asp/request.h"

namespace page {

void enter_new_flow(PageState& p) {
  const auto& Request = *p.ctx.Request;
  if (!(Request("LiuChengID") != "" && Request("LiuChengID") != "0")) return;

  p.CurrentOperate = "新建流程";
  p.BanLiType = "1";
  p.LiuChengID = Request("LiuChengID");
  // The model's key later goes into SQL unquoted (the copy's queries); refuse any other text now.
  canonicalize_keys({&p.LiuChengID});

  p.isSystem =
      library::getidfromid(p.ctx, "OA_Flow_Model_Header", "isSystem", "OAID", p.LiuChengID);
  if (p.isSystem == "1") {
    p.LiuChengType = 1;
  } else if (p.isSystem == "0") {
    p.LiuChengType = 0;
  } else if (p.isSystem == "2") {
    p.LiuChengType = 2;
    p.OldLiuChengID = p.LiuChengID;
    copy_privileged_model(p);
  }
}

void enter_form_of_new_flow(PageState& p) {
  if (!(p.CurrentOperate == "新建流程")) return;

  p.BiaoDanID =
      library::getidfromid(p.ctx, "OA_Flow_Model_Header", "BiaoDanID", "OAID", p.LiuChengID);
  p.BiaoDanName = library::getnamefromid(p.ctx, "OA_Flow_BiaoDan", "Name", "OAID", p.BiaoDanID);
  if (p.BiaoDanID == "") stop_page(p, "参数错误：流程应该有表单，请通知管理员维护该流程的表单！");
}

}  // namespace page
