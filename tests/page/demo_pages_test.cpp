// Every page of the demo database renders to its last line, without an error, and every
// JavaScript block in it parses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>

#include "host/request_runner.h"
#include "schema/database.h"
#include "support/client_script.h"
#include "vb/builtins.h"

namespace page_test {
namespace {

constexpr char kPageEnd[] =
    "</script>\r\n<form action=\"biaodanword.asp\" method=\"post\" name=\"bdprint\" "
    "style=\"display:none\">\r\n<textarea rows=2 cols=20 id=printhtml name=printhtml></textarea>"
    "\r\n</form>\r\n";

class DemoPagesTest : public ::testing::Test {
 protected:
  DemoPagesTest()
      : path_(testing::TempDir() + "flowform_demo_pages_" + std::to_string(getpid()) + ".db") {
    schema::create_database(path_, true, true);
  }
  ~DemoPagesTest() override {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path_ + suffix);
  }

  host::Rendered render(const std::string& user, const std::string& query) const {
    host::RenderOptions o;
    o.connect = "Provider=SQLite;Data Source=" + path_;
    o.now = vb::CDate(vb::Variant("2011-09-02 09:05:07"));
    o.query = query;
    o.session_values = {{"UserName", vb::Variant(user)}, {"SystemURL", "/"}};
    return host::render_once(o);
  }

  std::string path_;
};

TEST_F(DemoPagesTest, RenderToTheirLastLine) {
  const struct {
    const char* user;
    const char* query;
  } pages[] = {
      {"zhangsan", "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2"},
      {"wujiu", "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2"},
      {"lisi", "LiuChengID=1"},
      {"lisi", "LiuChengID=2"},
  };
  // The print handlers' block carries an id before its language.
  static const std::regex kIdBeforeLanguage("<script id=\\w+ language=javascript>");
  for (const auto& page : pages) {
    SCOPED_TRACE(std::string(page.user) + " " + page.query);
    const host::Rendered rendered = render(page.user, page.query);
    EXPECT_THAT(rendered.event_log, ::testing::IsEmpty());
    EXPECT_THAT(rendered.body, ::testing::Not(::testing::HasSubstr(" Error ")));
    EXPECT_THAT(rendered.body, ::testing::EndsWith(kPageEnd));
    test_support::expect_javascript_parses(
        std::regex_replace(rendered.body, kIdBeforeLanguage, "<script language=javascript>"));
  }
}

}  // namespace
}  // namespace page_test
