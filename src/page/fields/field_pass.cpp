// The field pass over the form template.
#include "page/fields/field_pass.h"

#include <string>
#include <vector>

#include "library/bumen.h"
#include "library/formatting.h"
#include "library/lookups.h"
#include "library/sql_guard.h"
#include "page/controls/field_controls.h"
#include "page/fields/default_values.h"
#include "page/fields/editability.h"
#include "page/fields/read_only_display.h"
#include "page/fields/stored_values.h"
#include "page/fields/template_text.h"
#include "page/fields/value_references.h"
#include "page/work_recordset.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace page {
namespace {

bool is_system_code(const vb::Variant& code) {
  return code == "_1" || code == "_2" || code == "_3" || code == "_4" || code == "_5" ||
         code == "_6";
}

// The nodes that have handled the record, joined by ",".
vb::Variant handled_nodes(PageState& p) {
  p.BanLiJieDianIDs = "";
  auto& steps = open_query(p, p.rs, p.ctx.sql,
                           "select distinct JieDianID from OA_FLOW_" +
                               library::sql_int(p.BiaoDanID) + "_BanLi where BiaoDanRecordID ='" +
                               library::sql_text(p.BiaoDanRecordID) + "'");
  const long count = steps.RecordCount();
  for (p.iBanLi = 1; p.iBanLi <= count; p.iBanLi = p.iBanLi + 1) {
    const std::string node = library::sql_int(steps("JieDianID").Value());
    p.BanLiJieDianIDs =
        p.BanLiJieDianIDs == "" ? vb::Variant(node) : p.BanLiJieDianIDs & "," & node;
    steps.MoveNext();
  }
  steps.Close();
  return p.BanLiJieDianIDs;
}

// A field keeps its default until a node that has handled the record could edit it; the
// submitter, date, department and status of a record never show theirs.
void start_placeholder(PageState& p, const std::string& placeholder) {
  p.FieldType = "";
  // A look-up field without a stored value posts no key left over from the one before it.
  p.HiddenValue = "";
  p.value_is_markup = false;
  p.zdID = placeholder.substr(1, placeholder.find(':') - 1);
  p.isDefaultValue = true;
  if (p.BiaoDanRecordID == "") return;

  if (handled_nodes(p) != "") {
    auto& nodes = open_query(p, p.rs, p.ctx.sql,
                             "select * from OA_Flow_Model_JieDian where   OAID in (" +
                                 vb::CStr(p.BanLiJieDianIDs) + ")  and EditFields like '%," +
                                 library::sql_text(vb::Replace(p.zdID, "_", "-")) + ",%'");
    if (nodes.RecordCount() > 0) p.isDefaultValue = false;
    nodes.Close();
  }
  if (p.zdID == "_3" || p.zdID == "_4" || p.zdID == "_5" || p.zdID == "_6") {
    p.isDefaultValue = false;
  }
}

void system_default(PageState& p) {
  auto& ctx = p.ctx;
  const auto& Session = *ctx.Session;
  if (p.zdID == "_1") {
    p.zdValue = "";
  } else if (p.zdID == "_2") {
    // The model's name is the designer's text: its references are filled as the template's.
    p.tmpLiuChengName = with_value_references(
        p, library::getnamefromid(ctx, "OA_Flow_Model_Header", "Name", "OAID", p.LiuChengID),
        false);
    p.zdValue = p.tmpLiuChengName & "（" & library::showusername(ctx, Session.get("UserName")) &
                ", " & library::lwformatdatetime(ctx, ctx.Now(), "yyyy-mm-dd hh:nn") & "）";
  } else if (p.zdID == "_3") {
    p.zdValue = Session.get("TureName");
  } else if (p.zdID == "_4") {
    p.zdValue = library::lwformatdatetime(ctx, ctx.Now(), "yyyy 年 mm 月 dd 日");
  } else if (p.zdID == "_5") {
    p.zdValue = library::getbumenlists(ctx, Session.get("DepartMentID"));
  } else {
    p.zdValue = "流程状态：新流程";
  }
}

void close_field(PageState& p) {
  auto& field = p.rsField.as<platform::ado::Recordset>();
  if (field.State() == 1) field.Close();
}

}  // namespace

void fill_field_placeholders(PageState& p) {
  if (!p.rsField.is_object()) p.rsField = new_recordset();
  TemplateText text(p.BiaoDanHTML, p.template_parts, "{.*?:.*?}", p.regEx2, p.Matches2);
  const std::vector<std::string>& found = text.found();
  RecordRow record;

  for (std::size_t i = 0; i < found.size(); ++i) {
    p.objMatch2 = p.Matches2.as<platform::regexp::Matches>().Item(static_cast<long>(i));
    start_placeholder(p, found[i]);
    if (is_system_code(p.zdID)) {
      system_default(p);
    } else {
      set_default_value(p);
    }
    decide_editability(p);
    if (p.isDefaultValue == false && p.BiaoDanRecordID != "") read_stored_value(p, record);

    if (p.isEdit == true) {
      if (build_field_control(p)) {
        text.fill(i, vb::CStr(p.strHTML));
        close_field(p);
      }
    } else {
      text.fill(i, read_only_display(p));
    }
  }
  text.finish();
}

}  // namespace page
