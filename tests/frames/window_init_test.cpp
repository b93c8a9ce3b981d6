#include "frames/window_init.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "frames/frame_fixture.h"

namespace frames {
namespace {

TEST(QmincfunctionwindIInit, WritesTheLinesUnderTheSessionsSystemUrl) {
  // The address is written by the attribute rule, so it cannot leave its attribute.
  const std::pair<const char*, const char*> urls[] = {
      {"http://oa.example/", "http://oa.example/"},
      {"", ""},
      {"/oa\"><script>alert(1)</script>/", "/oa&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;/"},
      {"/a?x=1&y='2'/", "/a?x=1&amp;y=&#39;2&#39;/"},
  };
  for (const auto& [url, written] : urls) {
    FrameContext f;
    if (*url) (*f.ctx.Session)["SystemURL"] = url;  // else missing: site-relative paths
    qmincfunctionwindI_init(f.ctx);
    const std::string u = written;
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
