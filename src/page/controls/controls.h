// The editable control of each field type, and the pieces several of them share.
//
// Every control reads the field's definition row from p.rsField (open on it, and left open),
// the value to show from p.zdValue, and puts its markup into p.strHTML. "key" below is the
// row's OAID; the control's id and name are "zd" + key. Stored values go into attributes
// HTML-encoded, into textareas with "</textarea" broken up, into script strings escaped; where
// the control writes a value as markup (option captions, opinion tables, file links), it stays
// as stored. A failing query raises at its statement's line.
#pragma once

#include <string>
#include <string_view>

#include "page/page_state.h"
#include "platform/ado/recordset.h"
#include "vb/variant.h"

namespace page {

// ---- Choices.

// 复选框: a check box, checked only when the value is "1" (strChecked).
void check_box_control(PageState& p);
// 下拉列表型: a drop-down of the rows of the options query in DefaultValue (ZiDianCode "1"
// and a DefaultValue that is not blank), else of the dictionary category named FieldNameDis;
// the option equal to the value is selected. Uses rs and iItem.
void drop_down_control(PageState& p);
// 真假型: one radio per "*"-separated option of DefaultValue; the option equal to the value
// as text is checked, else the first non-empty one. A Null DefaultValue or value counts as "".
void radio_group_control(PageState& p);

// ---- Text.

// HTML编辑器型: a textarea turned into the site's rich-text editor (toolbar "myBasic").
void html_editor_control(PageState& p);
// 意见型: the earlier opinions (the value) above an empty textarea for a new opinion.
void opinion_control(PageState& p);
// 签字型: the earlier sign-offs (the value) and a hidden input holding the user's login name.
void sign_off_control(PageState& p);
// 备注型: a textarea with the attribute list.
void remark_control(PageState& p);
// 流水号型: a read-only text input.
void serial_number_control(PageState& p);

// ---- Pickers: a text input with an icon that opens a picker.

// 日期时间型: the calendar, with the date format (FieldHasDate "1"; "%Y-%m-%d" when the row has
// none) and the time format (FieldHasTime "1"; " %H:%M" when none) joined.
void date_time_control(PageState& p);
// 选择型: the dictionary dialog for the category FieldNameDis.
void dictionary_picker_control(PageState& p);
// 选择部门型: the department dialog.
void department_picker_control(PageState& p);
// 查询型: the look-up dialog, with the hidden value zd<key>value (HiddenValue); an HTML value
// (cxHTML "1") is shown in SPAN<key> and kept without "&nbsp;" in a hidden textarea.
void lookup_control(PageState& p);
// 选择用户型: the user dialog.
void user_picker_control(PageState& p);

// ---- Files.

// 附件型 and 图片型: a file input, after a delete check box and the stored file (the value)
// when there is one.
void file_control(PageState& p);
// 多附件型: the stored files of the record's field (OA_Flow_FuJian, BanLiID 0) with delete
// check boxes, and rows of file inputs added by AddRow<key>(), numbered on from the stored
// files. Uses rsFuJian, iFuJian and FuJianCount.
void multi_file_control(PageState& p);
// 签名文件型: a drop-down of the user's signatures (OA_Flow_QianMing) above the stored one.
void signature_file_control(PageState& p);

// ---- Shared pieces.

// The field's definition row (p.rsField).
platform::ado::Recordset& field_row(PageState& p);
// The key of the field's row, for ids and names.
std::string control_key(PageState& p);
// A column of the field's row for an attribute: a text of the designer, its value references
// filled, then HTML-encoded.
std::string definition_attribute(PageState& p, const char* column);
// The text input of a type: `opening` (ending in "id='zd") + key, the name, the attribute
// list and the value.
std::string typed_text_input(PageState& p, std::string_view opening);

}  // namespace page
