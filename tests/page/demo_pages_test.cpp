// Every page of the demo database renders to its last line, without an error and with its opinion
// list, and every JavaScript block in it parses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "page/demo_database.h"
#include "support/client_script.h"

namespace page_test {
namespace {

constexpr char kPageEnd[] =
    "</script>\r\n<form action=\"biaodanword.asp\" method=\"post\" name=\"bdprint\" "
    "style=\"display:none\">\r\n<textarea rows=2 cols=20 id=printhtml name=printhtml></textarea>"
    "\r\n</form>\r\n";

class DemoPagesTest : public ::testing::Test {
 protected:
  // The page for `user`, logged in as the demo logs its user in.
  host::Rendered render(const std::string& user, const std::string& query) const {
    host::RenderOptions o = db_.options(query);
    const std::string where = " from KE_UserInfor where UserName = '" + user + "'";
    o.session_values.emplace_back("UserName", user);
    o.session_values.emplace_back("TureName", db_.scalar("select TureName" + where));
    o.session_values.emplace_back("DepartMentID", db_.scalar("select DepartMentID" + where));
    return host::render_once(o);
  }

  // (user, query) of every page the demo offers: each to-do entry, each handling step reopened
  // by the user who handled it while the record is in that user's to-do list, and a new flow of
  // each workflow model.
  std::vector<std::pair<std::string, std::string>> demo_pages() const {
    std::string sql =
        "select BanLiRen || ' BiaoDanID=' || BiaoDanID || '&BiaoDanRecordID=' || BiaoDanRecordID "
        "|| '&JieDianID=' || JieDianID as page from OA_DaiBan_LiuCheng";
    std::istringstream forms(db_.scalar("select group_concat(OAID, ' ') from OA_Flow_BiaoDan"));
    for (std::string form; forms >> form;) {
      sql += " union all select BanLiRen || ' BanLiID=' || OAID || '&BiaoDanID=" + form +
             "&BiaoDanRecordID=' || BiaoDanRecordID || '&JieDianID=' || JieDianID from OA_FLOW_" +
             form +
             "_BanLi b where exists (select 1 from OA_DaiBan_LiuCheng d where d.BiaoDanID "
             "= '" +
             form +
             "' and d.BiaoDanRecordID = b.BiaoDanRecordID and d.BanLiRen = "
             "b.BanLiRen)";
    }
    sql += " union all select 'lisi LiuChengID=' || OAID from OA_Flow_Model_Header";
    std::istringstream rows(db_.scalar("select group_concat(page, char(10)) from (" + sql + ")"));
    std::vector<std::pair<std::string, std::string>> pages;
    for (std::string row; std::getline(rows, row);) {
      pages.emplace_back(row.substr(0, row.find(' ')), row.substr(row.find(' ') + 1));
    }
    return pages;
  }

  DemoDatabase db_;
};

TEST_F(DemoPagesTest, RenderToTheirLastLine) {
  const auto pages = demo_pages();
  ASSERT_GE(pages.size(), 4u);
  // The print handlers' block carries an id before its language.
  static const std::regex kIdBeforeLanguage("<script id=\\w+ language=javascript>");
  for (const auto& [user, query] : pages) {
    SCOPED_TRACE(user + " " + query);
    const host::Rendered rendered = render(user, query);
    EXPECT_THAT(rendered.event_log, ::testing::IsEmpty());
    EXPECT_THAT(rendered.body, ::testing::Not(::testing::HasSubstr(" Error ")));
    EXPECT_THAT(rendered.body, ::testing::EndsWith(kPageEnd));
    EXPECT_THAT(rendered.body, ::testing::HasSubstr("<div id=YiJianLieBiao"));
    test_support::expect_javascript_parses(
        std::regex_replace(rendered.body, kIdBeforeLanguage, "<script language=javascript>"));
  }
}

}  // namespace
}  // namespace page_test
