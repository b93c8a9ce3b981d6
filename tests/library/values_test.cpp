#include <gtest/gtest.h>

#include <set>
#include <string>

#include "library/formatting.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using ValuesTest = ContextTest;

TEST_F(ValuesTest, ToNumberReadsDigitsOnlyAndWritesTheTrimmedTextBack) {
  struct Case {
    vb::Variant text;
    double expected;
    const char* written_back;
  };
  const Case cases[] = {
      {" 12 ", 12, "12"}, {"007", 7, "007"}, {"1.5", 0, "1.5"}, {"-3", 0, "-3"},
      {"12a", 0, "12a"},  {"   ", 0, ""},    {"", 0, ""},       {vb::Variant(), 0, ""},
      {" ４ ", 0, "４"},  // a full-width digit is greater than "9" as text
  };
  for (const Case& c : cases) {
    vb::Variant text = c.text;
    const vb::Variant result = library::to_number(ctx(), text);
    EXPECT_TRUE(result == c.expected) << c.written_back;
    ASSERT_TRUE(text.is_string());
    EXPECT_EQ(text.str(), c.written_back);
  }
  context_.expect_quiet();
}

TEST_F(ValuesTest, ToNumberOfNullIsZeroAndLeavesTheNull) {
  vb::Variant null = vb::Null;
  EXPECT_TRUE(library::to_number(ctx(), null) == 0);
  EXPECT_TRUE(null.is_null());
}

TEST_F(ValuesTest, ToNumberMovesThePageCounter) {
  vb::Variant text = "12x4";
  ctx().ii = 0;
  library::to_number(ctx(), text);
  EXPECT_TRUE(ctx().ii == 3);
  text = "42";
  library::to_number(ctx(), text);
  EXPECT_TRUE(ctx().ii == 3);
}

TEST_F(ValuesTest, IsvalidemailChecksPartsCharactersAndTheLastDomainPart) {
  struct Case {
    vb::Variant address;
    bool valid;
  };
  const Case cases[] = {
      {"li.ming@example.cn", true},
      {"Li_Ming-2@Mail.Example.com", true},
      {"a@b.cn", true},
      {"a@example.info", false},  // last part of four characters
      {"a@example.c", false},     // ... or of one
      {"a@b@example.cn", false},  // two "@"
      {"example.cn", false},      // none
      {".a@example.cn", false},   // a part beginning with a dot
      {"a.@example.cn", false},   // ... or ending with one
      {"a@example.cn.", false},
      {"a@.example.cn", false},
      {"a..b@example.cn", false},
      {"a@example..cn", false},
      {"li ming@example.cn", false},  // a blank
      {"li+ming@example.cn", false},  // a "+"
      {"李明@example.cn", false},
      {"@example.cn", false},
      {"a@", false},
      {"a@localhost", false},  // no dot in the domain
      {"", false},
  };
  for (const Case& c : cases) {
    const vb::Variant result = library::isvalidemail(ctx(), c.address);
    EXPECT_EQ(result.type(), vb::VarType::Boolean);
    EXPECT_TRUE(result == c.valid) << vb::CStr(c.address);
  }
  context_.expect_quiet();
}

TEST_F(ValuesTest, IsvalidemailOfNullIsReported) {
  EXPECT_TRUE(library::isvalidemail(ctx(), vb::Null).is_empty());
  context_.expect_reported(94, "Invalid use of Null", "isvalidemail");
}

TEST_F(ValuesTest, IifPicksByTheCondition) {
  EXPECT_EQ(library::iif(ctx(), true, "yes", "no").str(), "yes");
  EXPECT_EQ(library::iif(ctx(), false, "yes", "no").str(), "no");
  EXPECT_EQ(library::iif(ctx(), 2, "yes", "no").str(), "yes");
  EXPECT_EQ(library::iif(ctx(), vb::Null, "yes", "no").str(), "no");
  EXPECT_EQ(library::iif(ctx(), vb::Variant(), "yes", "no").str(), "no");
  context_.expect_quiet();
}

TEST_F(ValuesTest, IifOfAConditionThatIsNoTruthValueIsReported) {
  EXPECT_TRUE(library::iif(ctx(), "abc", "yes", "no").is_empty());
  context_.expect_reported(13, "Type mismatch", "iif");
}

TEST_F(ValuesTest, GetuidGivesNewVersionFourGuidsAs32UpperCaseHexDigits) {
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    const std::string uid = library::getuid(ctx()).str();
    ASSERT_EQ(uid.size(), 32u);
    EXPECT_EQ(uid.find_first_not_of("0123456789ABCDEF"), std::string::npos) << uid;
    EXPECT_EQ(uid[12], '4') << uid;
    EXPECT_NE(std::string("89AB").find(uid[16]), std::string::npos) << uid;
    seen.insert(uid);
  }
  EXPECT_EQ(seen.size(), 20u);
}

TEST_F(ValuesTest, GerndGivesLettersAndDigitsOfTheLength) {
  const std::string text = library::gernd(ctx(), 40).str();
  EXPECT_EQ(text.size(), 40u);
  EXPECT_EQ(
      text.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"),
      std::string::npos);
  EXPECT_EQ(library::gernd(ctx(), "6").str().size(), 6u);  // a length given as text
  EXPECT_EQ(library::gernd(ctx(), 0).str(), "");
  EXPECT_EQ(library::gernd(ctx(), vb::Variant()).str(), "");
  context_.expect_quiet();
}

TEST_F(ValuesTest, GerndOfALengthThatIsNoNumberIsReported) {
  EXPECT_TRUE(library::gernd(ctx(), "abc").is_empty());
  context_.expect_reported(13, "Type mismatch", "gernd");
}

}  // namespace
}  // namespace library_test
