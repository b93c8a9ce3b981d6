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
  };
  const Case cases[] = {
      {" 12 ", 12, "String:12"}, {"007", 7, "String:007"},      {"1.5", 0, "String:1.5"},
      {"-3", 0, "String:-3"},    {"12a", 0, "String:12a"},      {"   ", 0, "String:"},
      {"", 0, "String:"},        {vb::Variant(), 0, "String:"}, {vb::Null, 0, "Null:"},
      {" ４ ", 0, "String:４"},  // a full-width digit is greater than "9" as text
  };
  for (const Case& c : cases) {
    vb::Variant text = c.text;
    EXPECT_TRUE(library::to_number(ctx(), text) == c.expected) << c.written_back;
    EXPECT_EQ(typed(text), c.written_back);
  }
  expect_quiet();
  // The page counter stops at the first character that is no digit.
  vb::Variant text = "12x4";
  library::to_number(ctx(), text);
  EXPECT_EQ(typed(ctx().ii), "Integer:3");
  text = "42";
  library::to_number(ctx(), text);
  EXPECT_EQ(typed(ctx().ii), "Integer:3");
}

TEST_F(ValuesTest, IsvalidemailChecksPartsCharactersAndTheLastDomainPart) {
  const std::pair<const char*, bool> cases[] = {
      {"li.ming@example.cn", true},  {"a@b.cn", true},
      {"a@example.info", false},                                     // last part of four characters
      {"a@example.c", false},                                        // ... or of one
      {"a@b@example.cn", false},                                     // two "@"
      {"example.cn", false},                                         // none
      {".a@example.cn", false},                                      // a part beginning with a dot
      {"a.@example.cn", false},                                      // ... or ending with one
      {"a..b@example.cn", false},    {"li ming@example.cn", false},  // a blank
      {"li+ming@example.cn", false},                                 // a "+"
      {"a@localhost", false},                                        // no dot in the domain
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
  for (const vb::Variant& yes : {vb::Variant(true), vb::Variant(2)}) {
    EXPECT_EQ(typed(library::iif(ctx(), yes, "yes", "no")), "String:yes");
  }
  for (const vb::Variant& no : {vb::Variant(false), vb::Variant(vb::Null), vb::Variant()}) {
    EXPECT_EQ(typed(library::iif(ctx(), no, "yes", "no")), "String:no");
  }
  expect_quiet();
  EXPECT_EQ(typed(library::iif(ctx(), "abc", "yes", "no")), "Empty:");
  expect_reported(13, "Type mismatch", "iif");
}

TEST_F(ValuesTest, GetuidAndGerndGiveFreshTextsOfTheirFormAndGerndReadsTheLengthAsANumber) {
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    const std::string uid = library::getuid(ctx()).str();  // a version-4 GUID, 32 hex digits
    EXPECT_EQ(uid.size(), 32u);
    EXPECT_EQ(uid.find_first_not_of("0123456789ABCDEF"), std::string::npos) << uid;
    EXPECT_EQ(uid[12], '4') << uid;
    EXPECT_NE(std::string("89AB").find(uid[16]), std::string::npos) << uid;
    seen.insert(uid);
  }
  EXPECT_EQ(seen.size(), 20u);

  const std::string text = library::gernd(ctx(), 40).str();
  EXPECT_EQ(text.size(), 40u);
  EXPECT_EQ(
      text.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"),
      std::string::npos);
  EXPECT_NE(library::gernd(ctx(), 40).str(), text);
  EXPECT_EQ(library::gernd(ctx(), "6").str().size(), 6u);  // a length given as text
  EXPECT_EQ(typed(library::gernd(ctx(), 0)), "String:");
  EXPECT_EQ(typed(library::gernd(ctx(), vb::Variant())), "String:");
  // The loop appends while the text is shorter than the length, comparing as numbers.
  const struct {
    vb::Variant length;
    std::size_t size;
  } cases[] = {{2.5, 3},      {2.4, 3},   {"2.5", 3}, {3.0, 3},          {-4, 0},
               {vb::Null, 0}, {"abc", 0}, {"", 0},    {vb::Variant(), 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(library::gernd(ctx(), c.length).str().size(), c.size) << typed(c.length);
  }
  expect_quiet();
}

}  // namespace
}  // namespace library_test
