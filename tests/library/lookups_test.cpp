#include "library/lookups.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"
#include "vb/builtins.h"

namespace library_test {
namespace {

// The value with its kind, so that Empty, Null, "" and 0 tell apart in a failure message.
std::string shown(const vb::Variant& v) {
  if (v.is_empty()) return "Empty";
  if (v.is_null()) return "Null";
  if (v.is_string()) return "text:" + v.str();
  return "number:" + vb::CStr(v);
}

constexpr char kBefore[] = "select * from Caller_Query";

class LookupsTest : public DatabaseTest {
 protected:
  LookupsTest() {
    db_.exec(
        "insert into KE_UserInfor (OAID, UserName, TureName, DepartMentID, Mobile, myField1,"
        " myField2, faceImg) values"
        " (1, 'zhang', '张三', 2, '13800000000', '小张', '张老师', 'face7'),"
        " (2, 'li', '李四', 9, null, null, '李老师', null),"
        " (3, 'o''neil', '奥尼尔', 2, '', '', '', ''),"
        " (4, 'wang', '王五,', 1, null, null, null, null);"
        "insert into KE_Department (DepartMentID, DepartName, ParentID) values"
        " (1, '总公司', 0), (2, '办公室', 1);"
        "insert into KE_DutyPower (KEID, DutyName) values (3, '经理'), (5, '主任');"
        "insert into KE_Customer (UserName, TureName) values ('kehu', '客户甲');"
        "insert into KE_Catalog (KEID, CatName) values (4, '公文');"
        "insert into OA_Work_Plan (KEID, name) values (6, '年度计划');"
        "insert into OA_User_OtherInfor (UserName, Email1, Email2) values"
        " ('zhang', '', 'z2@example.cn'), ('li', null, 'l2@example.cn'),"
        " ('o''neil', 'o@example.cn', 'x@example.cn');");
    ctx().sql = kBefore;
  }

  std::string sql() { return vb::CStr(ctx().sql); }
};

using Member = vb::Variant (*)(library::PageContext&, const vb::Variant&);

struct MemberCase {
  const char* name;
  Member member;
  vb::Variant key;
  const char* expected;  // as shown() gives it
  const char* sql;       // left in ctx.sql; kBefore for the members with a text of their own
};

TEST_F(LookupsTest, EachMemberReadsItsColumnOrGivesItsFixedValue) {
  const std::string user_zhang = "select * from KE_UserInfor where UserName='zhang'";
  const std::string user_li = "select * from KE_UserInfor where UserName='li'";
  const std::string user_oneil = "select * from KE_UserInfor where UserName='o''neil'";
  const std::string user_nobody = "select * from KE_UserInfor where UserName='nobody'";
  const MemberCase cases[] = {
      {"showusername", library::showusername, "zhang", "text:张三", user_zhang.c_str()},
      {"showusername", library::showusername, "nobody", "text:", user_nobody.c_str()},
      {"showuserfromid", library::showuserfromid, 1, "text:zhang",
       "select * from KE_UserInfor where OAID=1"},
      {"showuserfromid", library::showuserfromid, "2", "text:li",
       "select * from KE_UserInfor where OAID=2"},
      {"showuserfromid", library::showuserfromid, 99,
       "text:", "select * from KE_UserInfor where OAID=99"},
      {"showuseridfromname", library::showuseridfromname, "li", "number:2", user_li.c_str()},
      {"showuseridfromname", library::showuseridfromname, "nobody", "number:0",
       user_nobody.c_str()},
      {"showuserdepartmentid", library::showuserdepartmentid, "zhang", "number:2", kBefore},
      {"showuserdepartmentid", library::showuserdepartmentid, "nobody", "number:0", kBefore},
      {"showuserdepartmentname", library::showuserdepartmentname, "zhang", "text:办公室", kBefore},
      {"showuserdepartmentname", library::showuserdepartmentname, "li", "text:", kBefore},
      {"showuserdepartmentname", library::showuserdepartmentname, "nobody", "text:", kBefore},
      {"shownameandmb", library::shownameandmb, "zhang", "text:张三【13800000000】",
       user_zhang.c_str()},
      {"shownameandmb", library::shownameandmb, "li", "text:李四【】", user_li.c_str()},
      {"shownameandmb", library::shownameandmb, "nobody", "Empty", user_nobody.c_str()},
      {"shownicheng", library::shownicheng, "zhang", "text:小张", user_zhang.c_str()},
      {"shownicheng", library::shownicheng, "li", "text:李四", user_li.c_str()},
      {"shownicheng", library::shownicheng, "o'neil", "text:奥尼尔", user_oneil.c_str()},
      {"shownicheng", library::shownicheng, "nobody", "text:", user_nobody.c_str()},
      {"userzuncheng", library::userzuncheng, "zhang", "text:小张", user_zhang.c_str()},
      {"userzuncheng", library::userzuncheng, "li", "text:李四", user_li.c_str()},
      // Tests myField1 but shows myField2.
      {"usernicheng", library::usernicheng, "zhang", "text:张老师", user_zhang.c_str()},
      {"usernicheng", library::usernicheng, "li", "text:李四", user_li.c_str()},
      {"usernicheng", library::usernicheng, "nobody", "text:", user_nobody.c_str()},
      {"showuserimg", library::showuserimg, "zhang", "text:face7.gif",
       "select faceImg from KE_UserInfor where UserName='zhang'"},
      {"showuserimg", library::showuserimg, "li", "text:1.gif",
       "select faceImg from KE_UserInfor where UserName='li'"},
      {"showuserimg", library::showuserimg, "o'neil", "text:1.gif",
       "select faceImg from KE_UserInfor where UserName='o''neil'"},
      {"showuserimg", library::showuserimg, "nobody", "text:1.gif",
       "select faceImg from KE_UserInfor where UserName='nobody'"},
      {"showcustomername", library::showcustomername, "kehu", "text:客户甲",
       "select * from KE_Customer where UserName='kehu'"},
      {"showcustomername", library::showcustomername, "zhang", "Empty",
       "select * from KE_Customer where UserName='zhang'"},
      {"showcatlogname", library::showcatlogname, 4, "text:公文",
       "select * from KE_Catalog where KEID=4"},
      {"showcatlogname", library::showcatlogname, 5,
       "text:", "select * from KE_Catalog where KEID=5"},
      {"showprojectname", library::showprojectname, 6, "text:年度计划",
       "select * from OA_Work_Plan where KEID=6"},
      {"showprojectname", library::showprojectname, 7,
       "text:", "select * from OA_Work_Plan where KEID=7"},
      {"funuseremail", library::funuseremail, "zhang", "text:z2@example.cn",
       "select * from OA_User_OtherInfor where UserName='zhang'"},
      {"funuseremail", library::funuseremail, "li", "Null",  // a Null Email1 is no ""
       "select * from OA_User_OtherInfor where UserName='li'"},
      {"funuseremail", library::funuseremail, "o'neil", "text:o@example.cn",
       "select * from OA_User_OtherInfor where UserName='o''neil'"},
      {"funuseremail", library::funuseremail, "wang",
       "text:", "select * from OA_User_OtherInfor where UserName='wang'"},
  };
  for (const MemberCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "(" + shown(c.key) + ")");
    ctx().sql = kBefore;
    EXPECT_EQ(shown(c.member(ctx(), c.key)), c.expected);
    EXPECT_EQ(sql(), c.sql);
  }
  context_.expect_quiet();
}

TEST_F(LookupsTest, ShowusernameOf800IsTheServerWithoutAQuery) {
  EXPECT_EQ(shown(library::showusername(ctx(), "800")), "text:服务器");
  EXPECT_EQ(shown(library::showusername(ctx(), 800)), "text:服务器");
  EXPECT_EQ(sql(), kBefore);
  context_.expect_quiet();
}

TEST_F(LookupsTest, QuotesInALoginNameAreDoubledInTheQuery) {
  EXPECT_EQ(shown(library::showusername(ctx(), "o'neil")), "text:奥尼尔");
  EXPECT_EQ(sql(), "select * from KE_UserInfor where UserName='o''neil'");
  EXPECT_EQ(shown(library::showusername(ctx(), "x' or '1'='1")), "text:");
  EXPECT_EQ(sql(), "select * from KE_UserInfor where UserName='x'' or ''1''=''1'");
  context_.expect_quiet();
}

TEST_F(LookupsTest, ANonNumericKeyIsReportedBeforeAnySqlRuns) {
  EXPECT_TRUE(library::showuserfromid(ctx(), "1 or 1=1").is_empty());
  EXPECT_EQ(sql(), kBefore);
  context_.expect_reported(13, "Type mismatch", "showuserfromid");
}

TEST_F(LookupsTest, EveryUnquotedKeyIsGuarded) {
  const MemberCase cases[] = {
      {"showuserfromid", library::showuserfromid, vb::Null, "", ""},
      {"showuserfromid", library::showuserfromid, "1.5", "", ""},
      {"showcatlogname", library::showcatlogname, "4;delete from KE_Catalog", "", ""},
      {"showprojectname", library::showprojectname, "&H6", "", ""},
      {"showduty", library::showduty, "3*a,x*b", "", ""},
  };
  for (const MemberCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestContext context;
    TestDatabase db(context.ctx());
    context.ctx().sql = kBefore;
    c.member(context.ctx(), c.key);
    context.expect_reported(13, "Type mismatch", c.name);
  }
}

TEST_F(LookupsTest, AFailingQueryIsReportedUnderTheMembersName) {
  db_.exec("drop table KE_Customer");
  EXPECT_TRUE(library::showcustomername(ctx(), "kehu").is_empty());
  ASSERT_EQ(context_.logged().size(), 1u);
  EXPECT_EQ(context_.logged()[0].rfind("-2147217900 ", 0), 0u) << context_.logged()[0];
  EXPECT_EQ(page().rfind(" Error ", 0), 0u);
  const std::string tail = " Routine : qmflobiaodantianx.showcustomername";
  EXPECT_EQ(page().substr(page().size() - tail.size()), tail);
}

TEST_F(LookupsTest, ShowdepartmentnameWritesZeroBackForAnUnsetKey) {
  for (vb::Variant unset : {vb::Variant(""), vb::Variant(vb::Null), vb::Variant()}) {
    SCOPED_TRACE(shown(unset));
    vb::Variant dept = unset;
    EXPECT_EQ(shown(library::showdepartmentname(ctx(), dept)), "text:");
    EXPECT_EQ(shown(dept), "number:0");
  }
  vb::Variant dept = 2;
  EXPECT_EQ(shown(library::showdepartmentname(ctx(), dept)), "text:办公室");
  EXPECT_EQ(shown(dept), "number:2");
  EXPECT_EQ(sql(), kBefore);  // a text of its own
  context_.expect_quiet();
}

TEST_F(LookupsTest, ShowdutyJoinsTheNamesFoundInListOrder) {
  struct Case {
    const char* list;
    const char* expected;
  };
  const Case cases[] = {
      {"3*经理,5*主任", "text:经理、主任"},
      {"5*主任,3*经理", "text:主任、经理"},
      {"3*a,7*b,5*c", "text:经理、主任"},  // a key without a row adds no separator
      {"7*b,5*c", "text:主任"},
      {"7*b", "text:"},
      {"5", "text:主任"},  // no "*": the whole element is the key
      {"", "text:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(shown(library::showduty(ctx(), c.list)), c.expected);
  }
  EXPECT_EQ(sql(), "select * from KE_DutyPower where KEID= 5");  // the last element's query
  context_.expect_quiet();
}

TEST_F(LookupsTest, GetxingmingfromnamesJoinsDisplayNamesAndCollapsesSeparators) {
  struct Case {
    vb::Variant names;
    const char* separator;
    const char* expected;
  };
  const Case cases[] = {
      {"zhang;;li", ";", "text:张三、李四"},
      {"zhang;nobody;li", ";", "text:张三、李四"},  // the unknown user's separator collapses
      {"zhang;nobody;nobody;li", ";", "text:张三、李四"},
      {"zhang;nobody", ";", "text:张三、"},  // a trailing separator stays
      {";zhang;", ";", "text:张三"},
      {"zhang,li", ",", "text:张三、李四"},
      {"zhang;wang", ";", "text:张三、王五"},  // a last "," is cut
      {"800;zhang", ";", "text:服务器、张三"},
      {"", ";", "text:"},
      {vb::Null, ";", "text:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(shown(c.names));
    EXPECT_EQ(shown(library::getxingmingfromnames(ctx(), c.names, c.separator)), c.expected);
  }
  context_.expect_quiet();
}

TEST_F(LookupsTest, GetxingmingfromnamesLeavesTheLastUsersQuery) {
  library::getxingmingfromnames(ctx(), "zhang;li", ";");
  EXPECT_EQ(sql(), "select * from KE_UserInfor where UserName='li'");
}

TEST_F(LookupsTest, GetnamefromidReadsAnyColumnByAnyKey) {
  EXPECT_EQ(shown(library::getnamefromid(ctx(), "KE_UserInfor", "TureName", "UserName", "zhang")),
            "text:张三");
  EXPECT_EQ(sql(), "select TureName from KE_UserInfor where UserName = 'zhang'");
  EXPECT_EQ(shown(library::getidfromid(ctx(), "KE_UserInfor", "OAID", "UserName", "li")),
            "number:2");
  EXPECT_EQ(shown(library::getnamefromid(ctx(), "KE_UserInfor", "TureName", "UserName", "o'neil")),
            "text:奥尼尔");
  EXPECT_EQ(sql(), "select TureName from KE_UserInfor where UserName = 'o''neil'");
  EXPECT_EQ(shown(library::getnamefromid(ctx(), "KE_UserInfor", "TureName", "UserName", "nobody")),
            "text:");
  context_.expect_quiet();
}

TEST_F(LookupsTest, GetnamefromidOnAMissingTableGivesEmptyTextAndWritesNothing) {
  EXPECT_EQ(shown(library::getnamefromid(ctx(), "No_Such_Table", "Name", "OAID", 1)), "text:");
  EXPECT_EQ(sql(), "select Name from No_Such_Table where OAID = '1'");
  EXPECT_EQ(shown(library::getidfromid(ctx(), "KE_UserInfor", "NoSuchColumn", "OAID", 1)), "text:");
  context_.expect_quiet();
}

}  // namespace
}  // namespace library_test
