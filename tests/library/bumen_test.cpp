#include "library/bumen.h"

#include <gtest/gtest.h>

#include "library_fixture.h"

namespace library_test {
namespace {

class BumenTest : public DatabaseTest {
 protected:
  BumenTest() {
    db_.exec(
        "insert into KE_Department (DepartMentID, DepartName, ParentID) values"
        " (1, '总公司', 0), (2, '办公室', 1), (3, '秘书科', 2),"
        " (7, '分部', 99),"                                   // its parent has no row
        " (10, '甲', 11), (11, '乙', 10),"                    // a cycle of two
        " (12, '自环', 12),"                                  // a department that is its own parent
        " (20, '丙', 21), (21, '丁', 22), (22, '戊', 21);");  // a cycle above the start
    ctx().bumenlists = "";
  }
};

TEST_F(BumenTest, GetbumenlistsGivesThePathTopAncestorFirstEndsACycleAndRefusesNonNumericIds) {
  const std::pair<vb::Variant, const char*> cases[] = {
      {3, "总公司\\办公室\\秘书科"}, {7, "分部"}, {42, ""},  // no row
      {10, "乙\\甲"}, {12, "自环"}, {20, "戊\\丁\\丙"}};
  for (const auto& [id, expected] : cases) {
    EXPECT_EQ(typed(library::getbumenlists(ctx(), id)), std::string("String:") + expected);
    EXPECT_EQ(typed(ctx().bumenlists), "String:");
  }
  library::getbumenlists(ctx(), 3);
  EXPECT_EQ(typed(ctx().sql), "String:select * from KE_Department where  DepartmentID=1");
  // The step itself prepends to what the accumulator holds.
  ctx().bumenlists = "科室";
  library::bumenparent(ctx(), 2);
  EXPECT_EQ(typed(ctx().bumenlists), "String:总公司\\办公室\\科室");
  expect_quiet();
  // A non-numeric id is reported by the step, which runs no query.
  ctx().bumenlists = "";
  ctx().sql = "select * from Caller_Query";
  EXPECT_EQ(typed(library::getbumenlists(ctx(), "1 or 1=1")), "String:");
  EXPECT_EQ(typed(ctx().sql), "String:select * from Caller_Query");
  expect_reported(13, "Type mismatch", "bumenparent");
}

using ReplacetestTest = LibraryTest;

TEST_F(ReplacetestTest, ReplacesEveryMatchIgnoringCaseLineByLine) {
  struct Case {
    const char *text, *pattern, *replacement, *expected;
  };
  const Case cases[] = {
      {"a{3:x}b{3:yy}c{4:z}", "{3:.*?}", "&nbsp;", "a&nbsp;b&nbsp;c{4:z}"},
      {"a\r\nb\r\nb", "^b", "B", "a\r\nB\r\nB"},
      {"{3:a\nb}", "{3:.*?}", "", "{3:a\nb}"},  // . does not pass a line feed
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vb::CStr(library::replacetest(ctx(), c.text, c.pattern, c.replacement)), c.expected);
  }
  expect_quiet();
  EXPECT_TRUE(library::replacetest(ctx(), "a", "(", "").is_empty());
  expect_reported(5017, "Syntax error in regular expression", "replacetest");
}

}  // namespace
}  // namespace library_test
