// The lines every framed page needs before its own head.
#include "frames/window_init.h"

namespace frames {

void qmincfunctionwindI_init(library::PageContext& ctx) {
  ctx.top_routine("qmincfunctionwindI_init", [&] {
    platform::asp::Response& out = *ctx.Response;
    const vb::Variant SystemURL = ctx.Session->get("SystemURL");
    out.write("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n");
    out.write(vb::Variant("<link href=\"") & SystemURL & "Include/" & "imagesV10/CSSForV10.css" &
              "\" rel=\"stylesheet\" type=\"text/css\">\r\n");
    out.write(vb::Variant("<script language=\"javascript\" src=\"") & SystemURL & "Include/" &
              "js/orderby.js" & "\"></script>\r\n");
    out.write("<STYLE>\r\n");
    out.write("thead .arrow{font-family: webdings; color: black; }\r\n");
    out.write("</STYLE>\r\n");
  });
}

}  // namespace frames
