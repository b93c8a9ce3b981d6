// Shared set-up of the page tests: a temporary office database with the rows a case adds, and
// one request rendered on it through the host's request runner.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "host/request_runner.h"
#include "support/temp_database.h"
#include "vb/builtins.h"

namespace page_test {

using test_support::TempDatabase;

// The set-up lines that stand before the page head for a session whose SystemURL is kSystemUrl.
inline constexpr char kSystemUrl[] = "/oa/";
inline constexpr char kWindowLines[] =
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n"
    "<link href=\"/oa/Include/imagesV10/CSSForV10.css\" rel=\"stylesheet\" type=\"text/css\">\r\n"
    "<script language=\"javascript\" src=\"/oa/Include/js/orderby.js\"></script>\r\n"
    "<STYLE>\r\n"
    "thead .arrow{font-family: webdings; color: black; }\r\n"
    "</STYLE>\r\n";
// The last line of the page head; what a phase writes starts right after it.
inline constexpr char kHeadEnd[] = "<TITLE>流程处理</TITLE>\r\n";

// A fixture holding one database and rendering requests on it for a logged-in user.
class PageTest : public ::testing::Test {
 protected:
  // A request for the user "zhang" (TureName 张三, DepartMentID 1, SystemURL kSystemUrl) on
  // db_, at 2011-09-02 09:05:07; adjust the fields before render().
  host::RenderOptions options() const {
    host::RenderOptions o;
    o.connect = db_.connect();
    o.now = vb::CDate(vb::Variant("2011-09-02 09:05:07"));
    o.session_values = {{"UserName", "zhang"},
                        {"TureName", "张三"},
                        {"DepartMentID", "1"},
                        {"SystemURL", kSystemUrl}};
    return o;
  }

  host::Rendered render(const host::RenderOptions& o) const { return host::render_once(o); }
  host::Rendered render(std::string query) const {
    host::RenderOptions o = options();
    o.query = std::move(query);
    return render(o);
  }

  // What the page wrote after its head (the whole body when the head is missing).
  static std::string after_head(const std::string& body) {
    const auto at = body.find(kHeadEnd);
    return at == std::string::npos ? body : body.substr(at + std::string_view(kHeadEnd).size());
  }

  TempDatabase db_;
};

}  // namespace page_test
