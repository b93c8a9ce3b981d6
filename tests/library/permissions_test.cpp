#include "library/permissions.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

struct SessionUser {
  const char* isAdmin;
  const char* UserName;
  const char* userId;
  const char* roleIds;
};

class PermissionsTest : public DatabaseTest {
 protected:
  PermissionsTest() {
    db_.exec(
        // CODEA has two function rows; only the second is granted to role 7.
        "insert into OA_Functions (OAID, CodeNumber) values"
        " (1, 'CODEA'), (2, 'CODEA'), (3, 'CODEB'), (4, 'CODEC');"
        "insert into OA_FunctionRole (FunctionID, RoleID) values (2, 7), (3, 8), (1, 9);"
        // User 1 is in role 7, user 2 in roles 7 and 8; role 9 has an empty entry before 3.
        "insert into OA_Roles (OAID, userIds) values (7, ',1,2,'), (8, ',2,'), (9, ',,3,');"
        "insert into OA_SysPower (Code, UserList) values ('CODEA', 'zhang;li'),"
        " ('CODEE', ';;x'), ('CODEF', null);");
  }

  void login(const SessionUser& user) {
    reset();
    auto& session = *ctx().Session;
    if (user.isAdmin) session["isAdmin"] = user.isAdmin;
    if (user.UserName) session["UserName"] = user.UserName;
    if (user.userId) session["_userId"] = user.userId;
    if (user.roleIds) session["_roleIds"] = user.roleIds;
  }
};

TEST_F(PermissionsTest, HaspowerGrantsByAdministratorRoleOrName) {
  struct Case {
    SessionUser user;
    const char* code;
    bool expected;
  };
  const Case cases[] = {
      {{"TRUE", nullptr, nullptr, nullptr}, "NOSUCH", true},  // no function row at all
      {{"true", nullptr, nullptr, nullptr}, "CODEA", false},  // the switch is case-sensitive
      {{nullptr, "nobody", "1", ",7,"}, "CODEA", true},       // through the second row
      {{nullptr, "nobody", "1", ",77,"}, "CODEA", false},
      {{nullptr, "nobody", "1", ",8,"}, "CODEB", true},
      {{nullptr, "zhang", "9", ",8,"}, "CODEA", true},  // first entry of the user list
      {{nullptr, "li", "9", ""}, "CODEA", true},        // last entry
      {{nullptr, "zhan", "9", ""}, "CODEA", false},     // only the start of a listed name
      // Without a user name nothing is held by name: not through the empty entries of a list,
      // nor through the empty list of a code that has no grant row, nor a Null one.
      {{nullptr, "", "9", ""}, "CODEE", false},
      {{nullptr, nullptr, "9", ""}, "CODEC", false},
      {{nullptr, "", "9", ""}, "CODEF", false},
      {{nullptr, "", "9", ""}, "NOSUCH", false},
  };
  for (const Case& c : cases) {
    login(c.user);
    ctx().sql = "select 1";
    EXPECT_EQ(typed(library::haspower(ctx(), c.code)),
              c.expected ? "Boolean:True" : "Boolean:False")
        << c.user.UserName << " " << c.user.roleIds << " " << c.code;
    EXPECT_EQ(typed(ctx().sql), "String:select 1");  // keeps its query texts to itself
    expect_quiet();
  }
}

TEST_F(PermissionsTest, UserhaspowerTriesTheFirstFunctionRowAndTheNamedUser) {
  struct Case {
    const char* userId;
    const char* code;
    const char* user;
    bool expected;
  };
  const Case cases[] = {
      {"1", "CODEA", "nobody", false},  // role 7 holds only the second CODEA row
      {"3", "CODEA", "nobody", true},   // role 9 holds the first
      {"1", "CODEA", "li", true},       // the named user, not the session's
      {"1", "CODEA", "", false},       {"2", "CODEB", "nobody", true},
  };
  for (const Case& c : cases) {
    login({"TRUE", "zhang", c.userId, ",7,"});  // administrators get nothing extra here
    EXPECT_EQ(typed(library::userhaspower(ctx(), c.code, c.user)),
              c.expected ? "Boolean:True" : "Boolean:False")
        << c.userId << " " << c.code << " " << c.user;
    expect_quiet();
  }
  login({nullptr, nullptr, "1", nullptr});
  library::userhaspower(ctx(), "O'K", "nobody");
  EXPECT_EQ(typed(ctx().sql), "String:select * from OA_SysPower where Code='O''K'");
  expect_quiet();
}

TEST_F(PermissionsTest, FunctionIdChecksTestRoleLists) {
  login({nullptr, "zhang", "2", ",7,"});
  EXPECT_EQ(typed(library::hasfunid(ctx(), 2)), "Boolean:True");
  EXPECT_EQ(typed(library::hasfunid(ctx(), 3)), "Boolean:False");
  EXPECT_EQ(typed(library::hasfunid(ctx(), "")), "Boolean:False");
  EXPECT_EQ(typed(library::hasfuniduser(ctx(), 3, ",8,")), "Boolean:True");
  EXPECT_EQ(typed(library::hasfuniduser(ctx(), "abc", ",8,")), "Boolean:False");
  // User 2 is in roles 7 and 8; each function is granted to one of them.
  EXPECT_EQ(typed(library::userhasfunid(ctx(), 2, "ignored")), "Boolean:True");
  EXPECT_EQ(typed(library::userhasfunid(ctx(), 1, "ignored")), "Boolean:False");
  EXPECT_EQ(typed(library::userhasfunid(ctx(), "", "ignored")), "Boolean:False");
  expect_quiet();
}

TEST_F(PermissionsTest, AnEmptyUserIdIsInNoRole) {
  // Role 9's member list ",,3," holds an empty entry, and function 1 is granted to it.
  for (const char* id : {"", static_cast<const char*>(nullptr)}) {
    login({nullptr, "zhang", id, nullptr});
    EXPECT_EQ(typed(library::userhasfunid(ctx(), 1, "zhang")), "Boolean:False");
    expect_quiet();
  }
  login({nullptr, "zhang", "3", nullptr});
  EXPECT_EQ(typed(library::userhasfunid(ctx(), 1, "zhang")), "Boolean:True");
}

TEST_F(PermissionsTest, IdsThatAreNotWholeNumbersAreReported) {
  login({nullptr, "zhang", "1 or 1=1", ",7,"});
  EXPECT_EQ(typed(library::userhasfunid(ctx(), 2, "")), "Boolean:False");
  expect_reported(13, "Type mismatch", "userhasfunid");
  login({nullptr, "zhang", "1", ",7,"});
  EXPECT_EQ(typed(library::hasfunid(ctx(), "2;delete from OA_Roles")), "Boolean:False");
  expect_reported(13, "Type mismatch", "hasfunid");
  EXPECT_EQ(db_.scalar("select count(*) from OA_Roles"), "3");
}

class DocPowersTest : public DatabaseTest {
 protected:
  DocPowersTest() {
    db_.exec(
        "insert into OA_ZTDocument_Folder (OAID, isjicheng, POAID, RIsALL, UserReader, WIsALL,"
        " userAll) values"
        " (1, '0', 0, '1', 'zhang;li', '0', 'wang'),"
        " (2, '1', 1, 'x', 'x', 'x', 'x'),"  // inherits: its own columns do not count
        " (3, '1', 2, null, null, null, null),"
        " (4, '1', 99, 'x', 'x', 'x', 'x'),"  // inherits from a folder that is gone
        " (5, null, 0, null, 'a', null, null),"
        " (6, '1', 7, 'x', 'x', 'x', 'x'), (7, '1', 6, 'y', 'y', 'y', 'y'),"  // a loop of two
        " (8, '1', 8, 'z', 'z', 'z', 'z');");                                 // its own parent
  }
};

TEST_F(DocPowersTest, FoldersTakeTheirOwnOrTheirAncestorsRights) {
  const std::pair<vb::Variant, const char*> cases[] = {
      {1, "1%zhang;li%0%wang"},
      {"2", "1%zhang;li%0%wang"},
      {" 2", "1%zhang;li%0%wang"},  // ids as IsNumeric reads them
      {"5e0", "%a%%"},
      {4, "%%%"},
      {6, "%%%"},
      {8, "%%%"},
  };
  for (const auto& [id, expected] : cases) {
    EXPECT_EQ(typed(library::getdocpowers(ctx(), id)), std::string("String:") + expected);
  }
  expect_quiet();
  for (const char* id : {"1 or 1=1", "2.5"}) {
    reset();
    EXPECT_EQ(typed(library::getdocpowers(ctx(), id)), "Empty:");
    expect_reported(13, "Type mismatch", "getdocpowers");
  }
}

}  // namespace
}  // namespace library_test
