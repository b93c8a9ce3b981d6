// The lines every framed page needs before its own head.
#include "frames/window_init.h"

#include <string>

#include "library/escape.h"

namespace frames {

void qmincfunctionwindI_init(library::PageContext& ctx) {
  ctx.top_routine("qmincfunctionwindI_init", [&] {
    platform::asp::Response& out = *ctx.Response;
    const std::string SystemURL = library::html_attribute(ctx.Session->get("SystemURL"));
    out.write("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n");
    out.write("<link href=\"" + SystemURL + "Include/imagesV10/CSSForV10.css" +
              "\" rel=\"stylesheet\" type=\"text/css\">\r\n");
    out.write("<script language=\"javascript\" src=\"" + SystemURL + "Include/js/orderby.js" +
              "\"></script>\r\n");
    out.write("<STYLE>\r\n");
    out.write("thead .arrow{font-family: webdings; color: black; }\r\n");
    out.write("</STYLE>\r\n");
  });
}

}  // namespace frames
