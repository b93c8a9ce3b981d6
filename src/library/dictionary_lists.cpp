// Dictionary select lists: getmetafinally, getmetafinallyevent and their four wrappers.
#include "library/dictionary_lists.h"

#include <string>
#include <string_view>

#include "library/escape.h"
#include "library/sql_guard.h"
#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace library {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// An option value written without quotes, as the lists write them, unless it holds a character
// that would end or break an unquoted attribute value.
std::string option_value(const vb::Variant& value) {
  const std::string text = vb::CStr(vb::IsNull(value) ? vb::Variant("") : value);
  if (text.find_first_of(" \t\r\n\f\"'=<>`&") == std::string::npos) return text;
  return "'" + html_attribute(text) + "'";
}

// The opening tag of the list; with_event adds the change handler ctlName & "Change".
std::string opening_tag(bool query, bool with_event, const std::string& ctl,
                        const vb::Variant& css_class, const vb::Variant& cssClass,
                        const vb::Variant& mode) {
  const std::string handler = " onchange='vbscript:" + ctl + "Change'>";
  if (query) {
    return "<select name='" + ctl + "' id='" + ctl +
           "' FieldType='下拉列表型' class=" + vb::CStr(css_class) + (with_event ? handler : ">") +
           " " + std::string(kCrLf);
  }
  return "<select name='" + ctl + "'  id='" + ctl +
         "'  FieldType='下拉列表型'   class=" + vb::CStr(css_class) + " " +
         vb::CStr(cssClass & mode) + (with_event ? " " + handler : std::string(" >")) + " " +
         std::string(kCrLf);
}

// The body shared by getmetafinally and getmetafinallyevent (`name` is the routine's).
vb::Variant build_list(PageContext& ctx, std::string_view name, bool with_event,
                       vb::Variant& parentName, vb::Variant& ctlName, vb::Variant& selValue,
                       vb::Variant& valueMode, vb::Variant& cssClass, vb::Variant& mode) {
  vb::Variant result;
  ctx.routine(name, [&] {
    if (vb::IsNull(selValue)) selValue = "0";
    ctx.strsql =
        "select * From OA_ZiDian where ZDType = '1' and  ParentID in (select OAID from OA_ZiDian "
        "where Name = '" +
        sql_text(parentName) + "') order by OrderNumber ";
    const vb::Variant found = ctx.conn.as<platform::ado::Connection>().Execute(ctx.strsql);
    auto& rs = found.as<platform::ado::Recordset>();
    const vb::Variant css_class = cssClass == "-1" ? vb::Variant("select") : cssClass;

    if (rs.EOF_()) {
      result = "内部错误：请在后台字典中添加“" + html_attribute(parentName) + "”目录项。";
      return;
    }
    if (mode == "print") {
      result = html_text(selValue);
      return;
    }

    const bool query = mode == "Query";
    if (query) valueMode = 0;
    const std::string ctl = html_attribute(ctlName);
    std::string text = opening_tag(query, with_event, ctl, css_class, cssClass, mode);
    text += query ? "<option value=''>全部</option> " : "<option value='0'></option> ";
    text += kCrLf;
    const int by = query ? 0 : valueMode == 1 ? 1 : valueMode == 2 ? 2 : 0;
    const std::string selected_key = by == 0 ? vb::CStr(selValue) : std::string();
    while (!rs.EOF_()) {
      const vb::Variant item = rs("name");
      const std::string item_text = html_attribute(item);
      if (by == 1) {
        text += (item == selValue ? "<option selected>" : "<option>") + item_text + "</option>";
      } else {
        const vb::Variant key = rs(by == 2 ? "ZDCode" : "OAID");
        const bool selected = by == 2 ? key == selValue : vb::CStr(key) == selected_key;
        text += "<option value=" + option_value(key) + (selected ? " selected >" : ">") +
                item_text + "</option>";
      }
      text += kCrLf;
      rs.MoveNext();
    }
    text += "</select>";
    result = std::move(text);
  });
  return result;
}

// A wrapper runs under a handler of its own; build calls the builder with the wrapper's
// variables and its temporaries.
template <class Build>
vb::Variant wrapper(PageContext& ctx, std::string_view name, Build&& build) {
  vb::Variant result;
  ctx.routine(name, [&] { result = build(); });
  return result;
}

}  // namespace

vb::Variant getmetafinally(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                           vb::Variant& selValue, vb::Variant& valueMode, vb::Variant& cssClass,
                           vb::Variant& mode) {
  return build_list(ctx, "getmetafinally", false, parentName, ctlName, selValue, valueMode,
                    cssClass, mode);
}

vb::Variant getmetafinallyevent(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                                vb::Variant& selValue, vb::Variant& valueMode,
                                vb::Variant& cssClass, vb::Variant& mode) {
  return build_list(ctx, "getmetafinallyevent", true, parentName, ctlName, selValue, valueMode,
                    cssClass, mode);
}

vb::Variant getmeta(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                    vb::Variant& selValue) {
  return wrapper(ctx, "getmeta", [&] {
    vb::Variant valueMode = 1, cssClass = "-1";
    return getmetaex(ctx, parentName, ctlName, selValue, valueMode, cssClass);
  });
}

vb::Variant getmetaa(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                     vb::Variant& selValue, vb::Variant& mode) {
  return wrapper(ctx, "getmetaa", [&] {
    vb::Variant valueMode = 1, cssClass = "-1";
    return getmetafinally(ctx, parentName, ctlName, selValue, valueMode, cssClass, mode);
  });
}

vb::Variant getmetaex(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                      vb::Variant& selValue, vb::Variant& valueMode, vb::Variant& cssClass) {
  return wrapper(ctx, "getmetaex", [&] {
    vb::Variant mode = "";
    return getmetafinally(ctx, parentName, ctlName, selValue, valueMode, cssClass, mode);
  });
}

vb::Variant getmetaevent(PageContext& ctx, vb::Variant& parentName, vb::Variant& ctlName,
                         vb::Variant& selValue, vb::Variant& valueMode, vb::Variant& cssClass) {
  return wrapper(ctx, "getmetaevent", [&] {
    vb::Variant mode = "";
    return getmetafinallyevent(ctx, parentName, ctlName, selValue, valueMode, cssClass, mode);
  });
}

}  // namespace library
