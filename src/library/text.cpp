// Text for the page and the database: HTML conversions, tag stripping, quoting, cleaning and
// width-limited cuts.
#include <cmath>
#include <memory>
#include <string>

#include "library/formatting.h"
#include "platform/asp/server.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace library {
namespace {

// strtohtml and getlongtext: line breaks and blanks the browser would collapse.
std::string to_html(const vb::Variant& text) {
  return vb::Replace(vb::Replace(text, "\r", "<br>"), " ", "&nbsp;");
}

}  // namespace

std::optional<double> loop_bound(const vb::Variant& bound) {
  if (bound.is_null() || (bound.is_string() && !vb::IsNumeric(bound))) return std::nullopt;
  return vb::CDbl(bound);
}

vb::Variant displaytext(PageContext& ctx, vb::Variant& text) {
  vb::Variant result;
  ctx.routine("displaytext", [&] {
    if (text.is_null() || text == "") {
      result = text;
      return;
    }
    text = to_html(platform::asp::Server::HTMLEncode(text));
    // Marks script blocks and HTML comments in the encoded text.
    text = vb::Replace(text, "&lt;%", "<SPAN>&lt;%</SPAN><FONT COLOR=\"#000000\">");
    text = vb::Replace(text, "%&gt;", "<SPAN>%</FONT>&gt;</SPAN>");
    text = vb::Replace(text, "&lt;!--", "<I><FONT COLOR=\"#CC0033\">&lt;!--");
    text = vb::Replace(text, "--&gt;", "--&gt;</I></FONT>");
    result = text;
  });
  return result;
}

vb::Variant getlongtext(PageContext& ctx, const vb::Variant& text) {
  vb::Variant result;
  ctx.routine("getlongtext", [&] {
    if (text.is_null() || vb::Trim(text) == "") return;
    result = to_html(text);
  });
  return result;
}

vb::Variant strtohtml(PageContext& ctx, const vb::Variant& text) {
  vb::Variant result;
  ctx.routine("strtohtml", [&] { result = to_html(text); });
  return result;
}

vb::Variant RemoveHtml(PageContext& ctx, vb::Variant Textstr) {
  vb::Variant result;
  ctx.routine("RemoveHtml", [&] {
    vb::Variant copy = Textstr;
    // From here on a failing step is skipped: without the expression object the text comes
    // back unchanged.
    vb::Variant expression;
    ctx.resume_next([&] {
      auto tags = std::make_shared<platform::regexp::RegExp>();
      tags->IgnoreCase = true;
      tags->Global = true;
      tags->Pattern = "<(.[^>]*)>";
      expression = vb::ObjectRef(tags);
    });
    ctx.resume_next([&] { copy = expression.as<platform::regexp::RegExp>().Replace(copy, ""); });
    result = copy;
  });
  return result;
}

vb::Variant checkstring(PageContext& ctx, vb::Variant text) {
  vb::Variant result;
  ctx.routine("checkstring", [&] {
    result = text.is_null() ? vb::Variant("") : vb::Variant(vb::Replace(text, "'", "''"));
  });
  return result;
}

vb::Variant replacebadchar(PageContext& ctx, const vb::Variant& text) {
  vb::Variant result;
  ctx.routine("replacebadchar", [&] {
    if (text.is_null() || text == "") {
      result = "";
      return;
    }
    // The characters to remove, stored as one comma-separated list ending in NUL.
    const vb::Variant bad = vb::Split(std::string("',%,^,&,?,(,),<,>,[,],/,\\,;,\",") + '\0', ",");
    vb::Variant copy = text;
    for (long i = 0; i <= vb::UBound(bad); ++i) copy = vb::Replace(copy, bad[i], "");
    result = copy;
  });
  return result;
}

vb::Variant shrinklonginput(PageContext& ctx, const vb::Variant& text, const vb::Variant& width) {
  vb::Variant result;
  ctx.routine("shrinklonginput", [&] {
    if (width.is_empty() || width.is_null()) return;
    // A width that is not a number never stops the loop: the whole text fits.
    const double limit = loop_bound(width).value_or(HUGE_VAL);
    const int last = static_cast<int>(vb::CLng(vb::Len(text)));
    double used = 0;
    // The page's own counter ii, as every page of the system has it: a caller looping on ii
    // sees it moved.
    for (ctx.ii = 1; ctx.ii <= last; ctx.ii = ctx.ii + vb::Variant(1)) {
      const vb::Variant character = vb::Mid(text, ctx.ii, 1);
      used += vb::Asc(character) > 0 ? 1 : 2;  // double-byte characters have negative codes
      if (used > limit) break;
      result = result & character;
    }
  });
  return result;
}

}  // namespace library
