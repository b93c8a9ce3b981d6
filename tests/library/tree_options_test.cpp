#include <gtest/gtest.h>

#include <string>

#include "hostile_names.h"
#include "library/trees.h"
#include "library_fixture.h"

namespace library_test {
namespace {

class TreeOptionsTest : public DatabaseTest {
 protected:
  TreeOptionsTest() {
    db_.exec(
        "insert into KE_Department (DepartMentID, ParentID, DepartName) values"
        " (1, 0, '总公司'), (2, 1, '办公室'), (3, 2, '秘书科'), (4, 1, '财务部'),"
        " (10, 11, '甲'), (11, 10, '乙'), (12, 12, '自环');"
        "insert into KE_ReqType (ReqTypeID, ParentID, ReqTypeName) values"
        " (1, 0, '请假'), (2, 1, '病假'), (3, 0, '报销');"
        // The inactive user is listed by address too.
        "insert into KE_UserInfor (OAID, UserName, TureName, DepartMentID, IPAddress,"
        " AccountState, OrderNumber) values"
        " (1, 'li', '李四', 1, null, '0', 1), (2, 'zhang', '张三', 1, '10.0.0.1', '1', 2),"
        " (3, 'wang', '王五', 1, '', '1', 3), (4, 'o''neil', '奥尼尔', 3, 'a''><b', '1', 4);");
  }
};

TEST_F(TreeOptionsTest, StringcountRepeatsCountPlusOneTimes) {
  struct Case {
    vb::Variant text, count;
    const char *expected, *jj;
  };
  const Case cases[] = {
      {"|--", 0, "String:|--", "Long:1"},
      {"|--", 1, "String:|--|--", "Long:2"},
      {"|--", -1, "String:|--", "Long:1"},
      {"ab", "2", "String:ababab", "Long:3"},  // a count given as text
      {vb::Variant(vb::NullValue{}), 0, "Null:", "Long:1"},
      {vb::Variant(vb::NullValue{}), 1, "String:", "Long:2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed(library::stringcount(ctx(), c.text, c.count)), c.expected);
    EXPECT_EQ(typed(ctx().jj), c.jj);
  }
  expect_quiet();
  // The text is the result before the count is read, and stays so when that fails.
  EXPECT_EQ(typed(library::stringcount(ctx(), "|--", vb::Variant(vb::NullValue{}))), "String:|--");
  expect_reported(94, "Invalid use of Null", "stringcount");
}

TEST_F(TreeOptionsTest, WritecountsignWritesCountTimesAndWritecountsignsOnce) {
  library::writecountsign(ctx(), "<td></td>", 0);
  EXPECT_EQ(page(), "");
  library::writecountsign(ctx(), "&nbsp;", 3);
  EXPECT_EQ(page(), "&nbsp;&nbsp;&nbsp;");
  EXPECT_EQ(typed(ctx().jj), "Long:4");
  reset();
  library::writecountsigns(ctx(), 0);
  EXPECT_EQ(page(), "");
  library::writecountsigns(ctx(), 3);
  EXPECT_EQ(page(), "<td nowrap class=DepartLine height=20></td>");
}

TEST_F(TreeOptionsTest, OptionsFollowTheirParentIndentedByDepthAndLoopsAreWrittenOnce) {
  library::tabshowdepartmentchild(ctx(), 0, 0);
  EXPECT_EQ(page(),
            "<OPTION value=1>|--总公司</OPTION>"
            "<OPTION value=2>|--|--办公室</OPTION>"
            "<OPTION value=3>|--|--|--秘书科</OPTION>"
            "<OPTION value=4>|--|--财务部</OPTION>");
  EXPECT_EQ(typed(ctx().sql), "String:select * from KE_Department where ParentID=4");
  EXPECT_EQ(typed(ctx().jj), "Long:2");
  reset();
  library::tabshowreqtypechild(ctx(), 0, 1);
  EXPECT_EQ(page(),
            "<OPTION value=1>|--|--请假</OPTION>"
            "<OPTION value=2>|--|--|--病假</OPTION>"
            "<OPTION value=3>|--|--报销</OPTION>");
  EXPECT_EQ(typed(library::showreqtypename(ctx(), 2)), "String:病假");
  EXPECT_EQ(typed(library::showreqtypename(ctx(), 9)), "Empty:");
  EXPECT_EQ(typed(ctx().sql), "String:select * from KE_ReqType where ReqTypeID=9");
  // Looping parents are written once.
  reset();
  library::tabshowdepartmentchild(ctx(), 10, 0);
  EXPECT_EQ(page(), "<OPTION value=11>|--乙</OPTION>");
  reset();
  library::tabshowdepartmentchild(ctx(), 12, 0);
  EXPECT_EQ(page(), "");
  expect_quiet();
}

// A department, a request type and a user below 29, every name stored hostile, stay inside
// their options.
TEST_F(TreeOptionsTest, HostileNamesStayInsideTheirOptions) {
  for (const HostileName& name : kHostileNames) {
    const std::string n = sql_literal(name.stored);
    db_.exec(
        "delete from KE_Department where DepartMentID=30; delete from KE_ReqType where"
        " ReqTypeID=30; delete from KE_UserInfor where OAID=30;"
        "insert into KE_Department (DepartMentID, ParentID, DepartName) values (30, 29, " +
        n + "); insert into KE_ReqType (ReqTypeID, ParentID, ReqTypeName) values (30, 29, " + n +
        "); insert into KE_UserInfor (OAID, UserName, TureName, DepartMentID, IPAddress,"
        " AccountState, OrderNumber) values (30, 'u', " +
        n + ", 29, " + n + ", '1', 1);");
    reset();
    library::tabshowdepartmentchild(ctx(), 29, 0);
    library::tabshowreqtypechild(ctx(), 29, 0);
    library::listuser(ctx(), 29, 0);
    EXPECT_EQ(page(), "<OPTION value=30>|--" + name.html + "</OPTION><OPTION value=30>|--" +
                          name.html + "</OPTION><OPTION VALUE='" + name.html + "'>|&nbsp;&nbsp;*" +
                          name.html + "</OPTION> <OPTION value='NONE'>|&nbsp;&nbsp;" + name.html +
                          "</OPTION>")
        << name.stored;
    EXPECT_EQ(logged(), std::vector<std::string>{});
  }
}

TEST_F(TreeOptionsTest, ListuserValuesUsersByAddressAndDepartmentsByNoneAndIdsAreChecked) {
  library::listuser(ctx(), 1, 0);
  // Users before sub-departments; an inactive or address-less user is valued NONE.
  const std::string bar = "|&nbsp;&nbsp;";
  expect_in_order({"VALUE='NONE'>" + bar + "*李四", "VALUE='10.0.0.1'>",
                   "VALUE='NONE'>" + bar + "*王五", "value='NONE'>" + bar + "办公室",
                   bar + bar + "秘书科", "VALUE='a&#39;&gt;&lt;b'>" + bar + bar + bar + "*奥尼尔",
                   bar + "财务部"});
  EXPECT_EQ(logged(), std::vector<std::string>{});
  // A non-numeric id is reported before any query.
  reset();
  ctx().sql = "select 1";
  library::tabshowdepartmentchild(ctx(), "0 or 1=1", 0);
  EXPECT_EQ(typed(ctx().sql), "String:select 1");
  expect_reported(13, "Type mismatch", "tabshowdepartmentchild");
}

}  // namespace
}  // namespace library_test
