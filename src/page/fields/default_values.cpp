// The default value of a form field.
#include "page/fields/default_values.h"

#include <memory>

#include "library/flags.h"
#include "library/formatting.h"
#include "library/sql_guard.h"
#include "page/fields/field_key.h"
#include "page/fields/value_references.h"
#include "page/work_recordset.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace page {
namespace {

using platform::ado::Recordset;

bool blank_format(const vb::Variant& format) { return vb::IsNull(format) || format == ""; }

// The date in the field's date format: its %y, %m and %d (any letter case) filled without
// leading zeros, or yyyy-mm-dd when the field has no format.
vb::Variant date_default(PageState& p, const vb::Variant& RiQiGeShi) {
  const vb::Variant now = p.ctx.Now();
  if (blank_format(RiQiGeShi)) return library::mydategeshi(p.ctx, now, "yyyy-mm-dd");
  p.nYear = vb::Year(now);
  p.nMonth = vb::Month(now);
  p.nDay = vb::Day(now);
  p.tmpFormat = vb::LCase(RiQiGeShi);
  return vb::Replace(vb::Replace(vb::Replace(p.tmpFormat, "%y", p.nYear), "%m", p.nMonth), "%d",
                     p.nDay);
}

// The time in the field's time format: %h and then %m filled without leading zeros, or hh:nn.
vb::Variant time_default(PageState& p, const vb::Variant& ShiJianGeShi) {
  const vb::Variant now = p.ctx.Now();
  if (blank_format(ShiJianGeShi)) return library::mydategeshi(p.ctx, now, "hh:nn");
  p.nHour = vb::Hour(now);
  p.nMinute = vb::Minute(now);
  p.tmpFormat = vb::LCase(ShiJianGeShi);
  p.tmpFormat = vb::Replace(vb::Replace(p.tmpFormat, "%h", p.nHour), "%m", p.nMinute);
  return p.tmpFormat;
}

vb::Variant query_default(PageState& p, Recordset& field) {
  p.SqlDefault = vb::Variant();
  const vb::Variant DefaultValue = field("DefaultValue");
  if (vb::Trim(DefaultValue) != "" && !library::flag_set(field("ZiDianCode"))) {
    p.rsDefault = new_recordset();
    auto& rsDefault = open_query(p, p.rsDefault, p.ctx.sql, vb::CStr(DefaultValue));
    if (rsDefault.RecordCount() > 0) p.SqlDefault = rsDefault(0).Value();
    rsDefault.Close();
    p.rsDefault = vb::Variant();
  }
  return p.SqlDefault;
}

// The sibling page reads the method and the text from the session and leaves its answer there.
void executed_default(PageState& p, Recordset& field) {
  const vb::Variant DefaultValue = field("DefaultValue");
  if (!(vb::Trim(DefaultValue) != "")) return;
  auto& Session = *p.ctx.Session;
  Session["ReturnString"] = "";
  Session["CurrentExecuteMethod"] = "BIAODANDEFAULTVALUE";
  Session["ExecuteString"] = DefaultValue;
  p.ctx.Server->Execute("ExecuteFlow.asp");
  p.zdValue = Session.get("ReturnString");
}

// Returns true when the default is a text the designer wrote in the definition: the default
// as stored, or the date or time filled into the field's formats.
bool default_by_code(PageState& p, Recordset& field) {
  const vb::Variant code = field("DefaultValueType");
  const auto& Session = *p.ctx.Session;
  if (code == "a") {
    executed_default(p, field);
  } else if (code == "2") {
    p.zdValue = query_default(p, field);
  } else if (code == "4") {
    p.zdValue = Session.get("TureName");
  } else if (code == "5") {
    p.zdValue = Session.get("UserName");
  } else if (code == "6") {
    p.zdValue = Session.get("_DeptName");
  } else if (code == "7") {
    p.zdValue = date_default(p, field("RiQiGeShi"));
  } else if (code == "8") {
    p.zdValue = time_default(p, field("ShiJianGeShi"));
  } else if (code == "9") {
    p.zdValue = date_default(p, field("RiQiGeShi"));
    const vb::Variant time = time_default(p, field("ShiJianGeShi"));
    p.zdValue = p.zdValue == "" ? time : p.zdValue & " " & time;
  } else {
    const vb::Variant DefaultValue = field("DefaultValue");
    p.zdValue = vb::IsNull(DefaultValue) ? vb::Variant("") : DefaultValue;
  }
  // A query's result, the sibling page's answer and the session's values are no designer's.
  return !(code == "a" || code == "2" || code == "4" || code == "5" || code == "6");
}

}  // namespace

void set_default_value(PageState& p) {
  if (!names_a_field(p.zdID)) return;
  auto& field =
      open_query(p, p.rsField, p.ctx.sql,
                 "select * from OA_Flow_BiaoDan_Fields where oaid=" + library::sql_int(p.zdID));
  bool typed_by_designer = false, markup = false;
  if (field.RecordCount() > 0) {
    p.zdValue = "";
    p.FieldName = field("FieldName").Value();
    p.FieldType = field("FieldType").Value();
    if (!(p.FieldType == "真假型" || p.FieldType == "意见型" || p.FieldType == "流水号型" ||
          p.FieldType == "签字型")) {
      typed_by_designer = default_by_code(p, field);
    }
    if (p.FieldType == "流水号型") p.zdValue = "";
    markup = p.FieldType == "HTML编辑器型" ||
             (p.FieldType == "查询型" && library::flag_set(field("cxHTML")));
  }
  field.Close();
  // References the designer wrote into the default are filled as the template's are.
  if (typed_by_designer) p.zdValue = with_value_references(p, p.zdValue, markup);
}

}  // namespace page
