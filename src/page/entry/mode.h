// The page's mode, decided from the request: new flow, modify or to-do. Five consecutive steps
// of I_init; each reads and writes the page variables and may end the page with a message.
#pragma once

#include "page/page_state.h"

namespace page {

// Always first: stores OpenerCanClose in the session (False when the request's isStart is
// "true", else True), sets the request keys, FileID, RecordID, CurrentJieDianIDs and
// CurrentOperate to "", and creates the work recordsets rs and rs2.
void set_up_mode(PageState& p);

// When the request's LiuChengID is neither "" nor "0": CurrentOperate "新建流程", BanLiType "1",
// LiuChengID, the model's isSystem and LiuChengType (1, 0, 2, or Empty for any other isSystem);
// a privileged model (isSystem "2") is copied first and LiuChengID names the copy.
// LiuChengID must be a whole number: 13 before any query otherwise.
void enter_new_flow(PageState& p);

// In a new flow: BiaoDanID and BiaoDanName of the model's form. Ends the page with
// "参数错误：流程应该有表单，请通知管理员维护该流程的表单！" when the model names no form.
void enter_form_of_new_flow(PageState& p);

// When the request carries BanLiID, BiaoDanID, BiaoDanRecordID and JieDianID: CurrentOperate
// "修改流程", the user's to-do entry (isTeQuanDaiBan, hasDaiBan), the node's BanLiType and
// isFirst, the record's row and the handling step's row. Ends the page with
// "系统提示：您没有授权或者该节点已经办理完参数错误！" when the user has no to-do entry for the
// record, and with "参数错误：读取节点办理方式错误，节点编号：" and the key when the node is
// missing. The four keys must be whole numbers: 13 before any query otherwise.
void enter_modify(PageState& p);

// Clears TQUserList; when the request carries BiaoDanID, BiaoDanRecordID and JieDianID:
// CurrentOperate "待办流程", the node's columns and the record's row (LiuChengID among them).
// Ends the page like enter_modify when the node is missing. The three keys must be whole
// numbers: 13 before any query otherwise.
void enter_todo(PageState& p);

}  // namespace page
