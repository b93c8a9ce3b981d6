#include "frames/window_init.h"

#include <gtest/gtest.h>

#include "frames/frame_fixture.h"

namespace frames {
namespace {

TEST(QmincfunctionwindIInit, WritesTheLinesUnderTheSessionsSystemUrl) {
  for (const char* url : {"http://oa.example/", ""}) {
    FrameContext f;
    if (*url) (*f.ctx.Session)["SystemURL"] = url;  // else missing: site-relative paths
    qmincfunctionwindI_init(f.ctx);
    const std::string u = url;
    EXPECT_EQ(f.body(),
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n"
              "<link href=\"" +
                  u +
                  "Include/imagesV10/CSSForV10.css\" rel=\"stylesheet\" "
                  "type=\"text/css\">\r\n"
                  "<script language=\"javascript\" src=\"" +
                  u +
                  "Include/js/orderby.js\"></script>\r\n"
                  "<STYLE>\r\n"
                  "thead .arrow{font-family: webdings; color: black; }\r\n"
                  "</STYLE>\r\n");
  }
}

}  // namespace
}  // namespace frames
