#include "library/walks.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

class WalksTest : public DatabaseTest {
 protected:
  WalksTest() {
    db_.exec(
        "insert into KE_Department (DepartMentID, ParentID, DepartName) values"
        " (1, 0, '总公司'), (2, 1, '办公室'), (3, 2, '秘书科'), (4, 1, '财务部'), (5, 0, '分公司'),"
        " (7, 99, '无上级'),"               // its parent has no row
        " (10, 11, '甲'), (11, 10, '乙'),"  // a loop of two
        " (12, 12, '自环');"                // its own parent
        "insert into KE_ReqType (ReqTypeID, ParentID, ReqTypeName) values"
        " (1, 0, 'a'), (2, 1, 'b'), (3, 1, 'c'), (4, 2, 'd'), (5, 5, 'e');"
        "insert into OA_Document_Folder (OAID, POAID) values (1, 0), (2, 1), (3, 2), (8, 9), (9, "
        "8);");
    ctx().departmentchildlists = "";
    ctx().reqtypechildlists = "";
    ctx().parentlists = "";
    ctx().folderparentlists = "";
  }
};

TEST_F(WalksTest, BranchesListTheStartThenEachNodeBeforeItsOwnBranchAndRefuseNonNumericIds) {
  struct Case {
    void (*walk)(library::PageContext&, const vb::Variant&);
    vb::Variant id;
    const char* expected;
  };
  const Case cases[] = {
      {library::departmentchild, 1, "String:1,2,3,4"},
      {library::departmentchild, 3, "Integer:3"},  // no children: the start id as given
      {library::departmentchild, 10, "String:10,11"},  // the loop back to 10 is not followed
      {library::departmentchild, 12, "Integer:12"},
      {library::reqtypechild, 1, "String:1,2,4,3"},
      {library::reqtypechild, 5, "Integer:5"},
  };
  for (const Case& c : cases) {
    ctx().departmentchildlists = "";
    ctx().reqtypechildlists = "";
    c.walk(ctx(), c.id);
    const vb::Variant& list =
        c.walk == library::reqtypechild ? ctx().reqtypechildlists : ctx().departmentchildlists;
    EXPECT_EQ(typed(list), c.expected) << vb::CStr(c.id);
  }
  // A second branch appends without its start.
  ctx().departmentchildlists = "";
  library::departmentchild(ctx(), 4);
  library::departmentchild(ctx(), 2);
  EXPECT_EQ(typed(ctx().departmentchildlists), "String:4,3");
  expect_quiet();
  // Ids that are not whole numbers are reported.
  library::departmentchild(ctx(), "1 or 1=1");
  expect_reported(13, "Type mismatch", "departmentchild");
  reset();
  EXPECT_EQ(typed(library::getfengongsi(ctx(), "")), "Empty:");
  expect_reported(13, "Type mismatch", "getfengongsi");
}

// Each department's chain to the top, its length and its top-level department (none when the
// chain ends in a loop or a missing row); no walk leaves the chain behind.
TEST_F(WalksTest, AncestorChainsRunTopFirstAndEndAtALoop) {
  struct Case {
    vb::Variant id;
    const char *chain, *level, *top;
  };
  const Case departments[] = {
      {3, "String:1,2,3", "Long:3", "Long:1"}, {1, "Integer:1", "Long:1", "Long:1"},
      {5, "Integer:5", "Long:1", "Long:5"},    {42, "Integer:42", "Long:1", "Empty:"},
      {7, "String:99,7", "Long:2", "Empty:"},  {10, "String:11,10", "Long:2", "Empty:"},
      {12, "Integer:12", "Long:1", "Empty:"},
  };
  for (const Case& c : departments) {
    EXPECT_EQ(typed(library::getparentlists(ctx(), c.id)), c.chain) << vb::CStr(c.id);
    EXPECT_EQ(typed(library::departlevel(ctx(), c.id)), c.level) << vb::CStr(c.id);
    EXPECT_EQ(typed(library::getfengongsi(ctx(), c.id)), c.top) << vb::CStr(c.id);
    EXPECT_EQ(typed(ctx().parentlists), "String:");
  }
  const std::pair<vb::Variant, const char*> folders[] = {
      {3, "String:1,2,3"}, {1, "Integer:1"}, {8, "String:9,8"}};
  for (const auto& [id, expected] : folders) {
    EXPECT_EQ(typed(library::getfolderparentlists(ctx(), id)), expected);
    EXPECT_EQ(typed(ctx().folderparentlists), "String:");
  }
  expect_quiet();
}

// A chain 1,000 levels deep walks without recursion.
TEST_F(WalksTest, DeepTreesAreWalkedWhole) {
  db_.exec(
      "delete from KE_Department;"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000)"
      " insert into KE_Department (DepartMentID, ParentID) select i, i - 1 from n;");
  EXPECT_EQ(vb::CStr(library::departlevel(ctx(), 1000)), "1000");
  const std::string chain = vb::CStr(library::getparentlists(ctx(), 1000));
  EXPECT_TRUE(chain.starts_with("1,2,3,") && chain.ends_with(",999,1000")) << chain;
  EXPECT_EQ(vb::CStr(library::getfengongsi(ctx(), 1000)), "1");
  library::departmentchild(ctx(), 1);
  EXPECT_EQ(vb::UBound(vb::Split(ctx().departmentchildlists, ",")), 999);
  expect_quiet();
}

}  // namespace
}  // namespace library_test
