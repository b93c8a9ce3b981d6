#include "frames/window_init.h"

#include <gtest/gtest.h>

#include "frames/frame_fixture.h"

namespace frames {
namespace {

TEST(QmincfunctionwindIInit, WritesTheLinesUnderTheSessionsSystemUrl) {
  FrameContext f;
  (*f.ctx.Session)["SystemURL"] = "http://oa.example/";
  qmincfunctionwindI_init(f.ctx);
  EXPECT_EQ(f.body(),
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n"
            "<link href=\"http://oa.example/Include/imagesV10/CSSForV10.css\" rel=\"stylesheet\" "
            "type=\"text/css\">\r\n"
            "<script language=\"javascript\" src=\"http://oa.example/Include/js/orderby.js\">"
            "</script>\r\n"
            "<STYLE>\r\n"
            "thead .arrow{font-family: webdings; color: black; }\r\n"
            "</STYLE>\r\n");
}

TEST(QmincfunctionwindIInit, AMissingSystemUrlLeavesTheSiteRelativePaths) {
  FrameContext f;
  qmincfunctionwindI_init(f.ctx);
  EXPECT_NE(f.body().find("<link href=\"Include/imagesV10/CSSForV10.css\""), std::string::npos);
  EXPECT_NE(f.body().find("src=\"Include/js/orderby.js\""), std::string::npos);
}

}  // namespace
}  // namespace frames
