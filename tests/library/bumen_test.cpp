#include "library/bumen.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"
#include "vb/builtins.h"

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

TEST_F(BumenTest, GetbumenlistsGivesThePathTopAncestorFirst) {
  struct Case {
    vb::Variant id;
    const char* expected;
  };
  const Case cases[] = {
      {3, "总公司\\办公室\\秘书科"},
      {"3", "总公司\\办公室\\秘书科"},
      {2, "总公司\\办公室"},
      {1, "总公司"},
      {7, "分部"},
      {42, ""},  // no row
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(vb::CStr(c.id));
    EXPECT_EQ(vb::CStr(library::getbumenlists(ctx(), c.id)), c.expected);
    EXPECT_TRUE(ctx().bumenlists == "");
  }
  context_.expect_quiet();
}

TEST_F(BumenTest, TheWalkLeavesTheTopDepartmentsQuery) {
  library::getbumenlists(ctx(), 3);
  EXPECT_EQ(vb::CStr(ctx().sql), "select * from KE_Department where  DepartmentID=1");
}

TEST_F(BumenTest, BumenparentPrependsToTheAccumulator) {
  library::bumenparent(ctx(), 2);
  EXPECT_EQ(vb::CStr(ctx().bumenlists), "总公司\\办公室");
  ctx().bumenlists = "科室";
  library::bumenparent(ctx(), 1);
  EXPECT_EQ(vb::CStr(ctx().bumenlists), "总公司\\科室");
  context_.expect_quiet();
}

TEST_F(BumenTest, ACycleOfParentsEndsTheWalk) {
  EXPECT_EQ(vb::CStr(library::getbumenlists(ctx(), 10)), "乙\\甲");
  EXPECT_EQ(vb::CStr(library::getbumenlists(ctx(), 12)), "自环");
  EXPECT_EQ(vb::CStr(library::getbumenlists(ctx(), 20)), "戊\\丁\\丙");
  context_.expect_quiet();
}

TEST_F(BumenTest, ANonNumericIdIsReportedByTheStepAndThePathIsEmpty) {
  ctx().sql = "select * from Caller_Query";
  EXPECT_EQ(vb::CStr(library::getbumenlists(ctx(), "1 or 1=1")), "");
  EXPECT_TRUE(ctx().bumenlists == "");
  EXPECT_EQ(vb::CStr(ctx().sql), "select * from Caller_Query");
  context_.expect_reported(13, "Type mismatch", "bumenparent");
}

using ReplacetestTest = ContextTest;

TEST_F(ReplacetestTest, ReplacesEveryMatchIgnoringCaseLineByLine) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* expected;
  };
  const Case cases[] = {
      {"a{3:x}b{3:yy}c{4:z}", "{3:.*?}", "&nbsp;", "a&nbsp;b&nbsp;c{4:z}"},
      {"x<vb>code</VB>y", "<VB>.*?</VB>", "", "xy"},
      {"a\r\nb\r\nb", "^b", "B", "a\r\nB\r\nB"},
      {"{3:a\nb}", "{3:.*?}", "", "{3:a\nb}"},  // . does not pass a line feed
      {"no match", "zz", "", "no match"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(vb::CStr(library::replacetest(ctx(), c.text, c.pattern, c.replacement)), c.expected);
  }
  context_.expect_quiet();
}

TEST_F(ReplacetestTest, ABadPatternIsReported) {
  EXPECT_TRUE(library::replacetest(ctx(), "a", "(", "").is_empty());
  context_.expect_reported(5017, "Syntax error in regular expression", "replacetest");
}

}  // namespace
}  // namespace library_test
