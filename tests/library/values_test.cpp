#include <gtest/gtest.h>

#include <set>
#include <string>

#include "library/formatting.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using ValuesTest = LibraryTest;

TEST_F(ValuesTest, ToNumberReadsDigitsOnlyAndWritesTheTrimmedTextBack) {
  struct Case {
    vb::Variant text;
    double expected;
    const char* written_back;  // typed()
    const char* ii;            // the page counter: stops at the first character that is no digit
  };
  const Case cases[] = {
      {" 12 ", 12, "String:12", "Integer:3"},
      {"007", 7, "String:007", "Integer:4"},
      {"1.5", 0, "String:1.5", "Integer:2"},
      {"   ", 0, "String:", "Empty:"},
      {vb::Null, 0, "Null:", "Empty:"},
      {" ４ ", 0, "String:４", "Integer:1"},  // a full-width digit is greater than "9" as text
  };
  for (const Case& c : cases) {
    vb::Variant text = c.text;
    ctx().ii = vb::Variant();
    EXPECT_TRUE(library::to_number(ctx(), text) == c.expected) << c.written_back;
    EXPECT_EQ(typed(text), c.written_back);
    EXPECT_EQ(typed(ctx().ii), c.ii) << c.written_back;
  }
  expect_quiet();
}

TEST_F(ValuesTest, IsvalidemailChecksPartsCharactersAndTheLastDomainPart) {
  const std::pair<const char*, bool> cases[] = {
      {"li.ming@example.cn", true},  {"a@b.cn", true},
      {"a@example.info", false},                             // last part of four characters
      {"a@example.c", false},                                // ... or of one
      {"a@b@example.cn", false},     {"example.cn", false},  // two "@", none
      {".a@example.cn", false},      {"a.@example.cn", false},
      {"a..b@example.cn", false},    {"li ming@example.cn", false},
      {"li+ming@example.cn", false}, {"a@localhost", false},
  };
  for (const auto& [address, valid] : cases) {
    EXPECT_EQ(typed(library::isvalidemail(ctx(), address)),
              valid ? "Boolean:True" : "Boolean:False")
        << address;
  }
  expect_quiet();
  EXPECT_EQ(typed(library::isvalidemail(ctx(), vb::Null)), "Empty:");
  expect_reported(94, "Invalid use of Null", "isvalidemail");
}

TEST_F(ValuesTest, IifPicksByTheCondition) {
  const std::pair<vb::Variant, const char*> cases[] = {
      {true, "String:yes"}, {2, "String:yes"}, {false, "String:no"}, {vb::Null, "String:no"}};
  for (const auto& [condition, expected] : cases) {
    EXPECT_EQ(typed(library::iif(ctx(), condition, "yes", "no")), expected);
  }
  expect_quiet();
  EXPECT_EQ(typed(library::iif(ctx(), "abc", "yes", "no")), "Empty:");
  expect_reported(13, "Type mismatch", "iif");
}

TEST_F(ValuesTest, GetuidAndGerndGiveFreshTextsOfTheirForm) {
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    const std::string uid = library::getuid(ctx()).str();  // a version-4 GUID, 32 hex digits
    EXPECT_EQ(uid.size(), 32u);
    EXPECT_EQ(uid.find_first_not_of("0123456789ABCDEF"), std::string::npos) << uid;
    EXPECT_EQ(uid[12], '4') << uid;
    EXPECT_NE(std::string("89AB").find(uid[16]), std::string::npos) << uid;
    seen.insert(uid);
    seen.insert(library::gernd(ctx(), 40).str());
  }
  EXPECT_EQ(seen.size(), 40u);
  const std::string text = library::gernd(ctx(), 40).str();
  EXPECT_EQ(text.size(), 40u);
  EXPECT_EQ(
      text.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"),
      std::string::npos);
  // The loop appends while the text is shorter than the length, comparing as numbers.
  const std::pair<vb::Variant, std::size_t> cases[] = {
      {"6", 6}, {2.5, 3}, {"2.5", 3}, {3.0, 3}, {-4, 0}, {vb::Null, 0}, {"abc", 0}, {"", 0}};
  for (const auto& [length, size] : cases) {
    EXPECT_EQ(library::gernd(ctx(), length).str().size(), size) << typed(length);
  }
  expect_quiet();
}

}  // namespace
}  // namespace library_test
