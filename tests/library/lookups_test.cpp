#include "library/lookups.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

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
  const char* expected;  // typed()
};

TEST_F(LookupsTest, EachMemberReadsItsColumnOrGivesItsFixedValue) {
  const MemberCase cases[] = {
      {"showusername", library::showusername, "o'neil", "String:奥尼尔"},
      {"showusername", library::showusername, "800", "String:服务器"},  // no query
      {"showuserfromid", library::showuserfromid, "2", "String:li"},
      {"showuserfromid", library::showuserfromid, 99, "String:"},
      {"showuseridfromname", library::showuseridfromname, "li", "Long:2"},
      {"showuseridfromname", library::showuseridfromname, "nobody", "Integer:0"},
      {"showuserdepartmentid", library::showuserdepartmentid, "o'neil", "Long:2"},
      {"showuserdepartmentname", library::showuserdepartmentname, "o'neil", "String:办公室"},
      {"shownameandmb", library::shownameandmb, "zhang", "String:张三【13800000000】"},
      {"shownameandmb", library::shownameandmb, "li", "String:李四【】"},
      {"shownameandmb", library::shownameandmb, "nobody", "Empty:"},
      {"shownicheng", library::shownicheng, "zhang", "String:小张"},
      {"shownicheng", library::shownicheng, "o'neil", "String:奥尼尔"},
      {"userzuncheng", library::userzuncheng, "zhang", "String:小张"},
      {"usernicheng", library::usernicheng, "zhang", "String:张老师"},  // tests myField1 only
      {"usernicheng", library::usernicheng, "li", "String:李四"},
      {"showuserimg", library::showuserimg, "zhang", "String:face7.gif"},
      {"showuserimg", library::showuserimg, "o'neil", "String:1.gif"},
      {"showcustomername", library::showcustomername, "kehu", "String:客户甲"},
      {"showcustomername", library::showcustomername, "o'neil", "Empty:"},
      {"showcatlogname", library::showcatlogname, 4, "String:公文"},
      {"showprojectname", library::showprojectname, 6, "String:年度计划"},
      {"funuseremail", library::funuseremail, "zhang", "String:z2@example.cn"},
      {"funuseremail", library::funuseremail, "li", "Null:"},  // a Null Email1 is no ""
      {"funuseremail", library::funuseremail, "o'neil", "String:o@example.cn"},
      {"funuseremail", library::funuseremail, "wang", "String:"},
  };
  for (const MemberCase& c : cases) {
    EXPECT_EQ(typed(c.member(ctx(), c.key)), c.expected) << c.name << "(" << typed(c.key) << ")";
  }
  expect_quiet();
  // Each leaves its query behind, but these two keep the caller's.
  EXPECT_EQ(sql(), "select * from OA_User_OtherInfor where UserName='wang'");
  ctx().sql = kBefore;
  library::showuserdepartmentid(ctx(), "zhang");
  library::showuserdepartmentname(ctx(), "zhang");
  library::showusername(ctx(), 800);
  EXPECT_EQ(sql(), kBefore);
}

TEST_F(LookupsTest, AKeyThatIsNoWholeNumberIsReportedBeforeAnySqlRuns) {
  const MemberCase cases[] = {
      {"showuserfromid", library::showuserfromid, "1 or 1=1", "Empty:"},
      {"showcatlogname", library::showcatlogname, "4;delete from KE_Catalog", "Empty:"},
      {"showprojectname", library::showprojectname, "6.5", "Empty:"},
      {"showduty", library::showduty, "x*b,3*a", "String:"},
  };
  for (const MemberCase& c : cases) {
    reset();
    ctx().sql = kBefore;
    EXPECT_EQ(typed(c.member(ctx(), c.key)), c.expected) << c.name;
    EXPECT_EQ(sql(), kBefore);
    expect_reported(13, "Type mismatch", c.name);
  }
}

TEST_F(LookupsTest, AFailingQueryIsReportedUnderTheMembersName) {
  db_.exec("drop table KE_Customer");
  EXPECT_EQ(typed(library::showcustomername(ctx(), "kehu")), "Empty:");
  expect_reported(-2147217900, "no such table: KE_Customer", "showcustomername");
}

TEST_F(LookupsTest, ShowdepartmentnameWritesZeroBackForAnUnsetKey) {
  for (const vb::Variant& unset : {vb::Variant(""), vb::Variant(vb::Null), vb::Variant()}) {
    vb::Variant dept = unset;
    EXPECT_EQ(typed(library::showdepartmentname(ctx(), dept)), "String:");
    EXPECT_EQ(typed(dept), "Integer:0");
  }
  vb::Variant dept = 2;
  EXPECT_EQ(typed(library::showdepartmentname(ctx(), dept)), "String:办公室");
  EXPECT_EQ(typed(dept), "Integer:2");
  EXPECT_EQ(sql(), kBefore);
  expect_quiet();
}

TEST_F(LookupsTest, ShowdutyJoinsTheNamesFoundInListOrder) {
  const std::pair<const char*, const char*> cases[] = {
      {"3*经理,5*主任", "经理、主任"},
      {"3*a,7*b,5*c", "经理、主任"},  // a key without a row adds no separator
      {"7*b,5*c", "主任"},
      {"5", "主任"},  // no "*": the whole element is the key
      {"", ""},
  };
  for (const auto& [list, expected] : cases) {
    EXPECT_EQ(typed(library::showduty(ctx(), list)), std::string("String:") + expected) << list;
  }
  EXPECT_EQ(sql(), "select * from KE_DutyPower where KEID= 5");  // the last element's query
  expect_quiet();
}

TEST_F(LookupsTest, GetxingmingfromnamesJoinsDisplayNamesAndCollapsesSeparators) {
  struct Case {
    vb::Variant names;
    const char *separator, *expected;
  };
  const Case cases[] = {
      {"zhang;;li", ";", "张三、李四"},
      {"zhang;nobody;nobody;li", ";", "张三、李四"},  // unknown users' separators collapse
      {"zhang;nobody", ";", "张三、"},                // a trailing separator stays
      {",zhang,,wang", ",", "张三、王五"},  // a last "," is cut
      {vb::Null, ";", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed(library::getxingmingfromnames(ctx(), c.names, c.separator)),
              std::string("String:") + c.expected);
  }
  library::getxingmingfromnames(ctx(), "zhang;li", ";");
  EXPECT_EQ(sql(), "select * from KE_UserInfor where UserName='li'");
  expect_quiet();
}

TEST_F(LookupsTest, GetnamefromidReadsAnyColumnByAnyKey) {
  EXPECT_EQ(typed(library::getnamefromid(ctx(), "KE_UserInfor", "TureName", "UserName", "o'neil")),
            "String:奥尼尔");
  EXPECT_EQ(sql(), "select TureName from KE_UserInfor where UserName = 'o''neil'");
  EXPECT_EQ(typed(library::getidfromid(ctx(), "KE_UserInfor", "OAID", "UserName", "li")), "Long:2");
  // A missing table or column gives empty text and writes nothing.
  EXPECT_EQ(typed(library::getnamefromid(ctx(), "No_Such_Table", "Name", "OAID", 1)), "String:");
  EXPECT_EQ(sql(), "select Name from No_Such_Table where OAID = '1'");
  EXPECT_EQ(typed(library::getidfromid(ctx(), "KE_UserInfor", "NoSuchColumn", "OAID", 1)),
            "String:");
  expect_quiet();
}

}  // namespace
}  // namespace library_test
