// The workflow page frame: a full-window table of title bar, title band, button bar, content
// area, message row and pager around what the page writes through its callbacks.
#include "frames/funshowflow.h"

#include "platform/asp/server.h"

namespace frames {
namespace {

void write_band(platform::asp::Response& out, const char* cell_class, const vb::Variant& text) {
  out.write("\t<tr>\r\n");
  out.write(vb::Variant("\t\t<td class=\"") & cell_class & "\" height=\"25\" nowrap>&nbsp;" & text &
            "</td>\r\n");
  out.write("\t</tr>\r\n");
}

}  // namespace

void funshowflow(library::PageContext& ctx, vb::Variant& title, vb::Variant& caption,
                 vb::Variant& showSearch, vb::Variant& /*fourth*/, PageCallbacks& page) {
  ctx.routine("funshowflow", [&] {
    platform::asp::Response& out = *ctx.Response;
    out.write(" <body scroll=no onresize=setmyIDWidth() >\r\n");
    out.write(
        "<table id=\"ViewMainTable\" width=\"100%\" height=\"100%\" border=\"0\" "
        "cellspacing=\"0\" cellpadding=\"0\">\r\n");
    if (title != "") write_band(out, "TitleBar", title);
    if (caption != "") write_band(out, "TitleBand", caption);

    out.write("\t<tr>\r\n");
    out.write("\t\t<td class=\"ButtonBar\" height=\"30\" nowrap>\r\n");
    page.winmenu();
    out.write("\t\t</td>\r\n");
    out.write("\t</tr>\r\n");

    out.write("\t<tr>\r\n");
    out.write("\t\t<td valign=\"top\">\r\n");
    out.write("\t\t\t<div id=\"myIDWidth\" style=\"overflow:auto;height:100%\">\r\n");
    page.showcontent();
    out.write("\t\t\t</div>\r\n");
    out.write("<script language=\"javascript\">\r\n");
    out.write("function setmyIDWidth(){\r\n");
    out.write(
        "\tdocument.getElementById(\"myIDWidth\").style.width="
        "(document.body.clientWidth-20)+\"px\";\r\n");
    out.write("}\r\n");
    out.write("setmyIDWidth();\r\n");
    out.write("</script>\r\n");
    out.write("\t\t</td>\r\n");
    out.write("\t</tr>\r\n");

    // msg comes from the request: encoded, so a link cannot put markup or script into the page.
    out.write("\t<tr>\r\n");
    out.write("\t\t<td class=\"MessageRow\" height=\"20\">" +
              platform::asp::Server::HTMLEncode((*ctx.Request)("msg")) + "</td>\r\n");
    out.write("\t</tr>\r\n");

    if (showSearch.truthy()) {
      out.write("\t<tr id=\"searchform\">\r\n");
      out.write("\t\t<td class=\"Pager\" height=\"24\" align=\"right\" nowrap></td>\r\n");
      out.write("\t</tr>\r\n");
    }
    out.write("</table>\r\n");
  });
}

}  // namespace frames
