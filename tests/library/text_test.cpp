#include <gtest/gtest.h>

#include <string>

#include "library/formatting.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using TextTest = LibraryTest;

struct TextCase {
  vb::Variant text;
  const char* expected;  // typed()
};

// The page shows what displaytext and getlongtext make of stored text; here what it cannot show:
// the caller's variable written back, Null, Empty and blank text.
TEST_F(TextTest, DisplaytextWritesBackAndTheBreakFormattersTurnBreaksIntoHtml) {
  const TextCase cases[] = {
      {"<% x %>\r\n<!-- c -->",
       "String:<SPAN>&lt;%</SPAN><FONT COLOR=\"#000000\">&nbsp;x&nbsp;<SPAN>%</FONT>&gt;</SPAN>"
       "<br>\n<I><FONT COLOR=\"#CC0033\">&lt;!--&nbsp;c&nbsp;--&gt;</I></FONT>"},
      {vb::Null, "Null:"},
      {vb::Variant(), "Empty:"},
  };
  for (const TextCase& c : cases) {
    vb::Variant text = c.text;
    EXPECT_EQ(typed(library::displaytext(ctx(), text)), c.expected);
    EXPECT_EQ(typed(text), c.expected);
  }
  EXPECT_EQ(typed(library::strtohtml(ctx(), "<b> b\r\nc")), "String:<b>&nbsp;b<br>\nc");
  EXPECT_EQ(typed(library::getlongtext(ctx(), " a\rb ")), "String:&nbsp;a<br>b&nbsp;");
  for (const vb::Variant& blank : {vb::Variant(vb::Null), vb::Variant("   ")}) {
    EXPECT_EQ(typed(library::getlongtext(ctx(), blank)), "Empty:");
  }
  expect_quiet();
  EXPECT_EQ(typed(library::strtohtml(ctx(), vb::Null)), "Empty:");
  expect_reported(94, "Invalid use of Null", "strtohtml");
}

TEST_F(TextTest, RemoveHtmlStripsTagsAndSkipsWhatFails) {
  const TextCase cases[] = {
      {"a<b>bold</b> text", "String:abold text"},
      {"<>", "String:<>"},            // a tag needs one character between the brackets
      {"x<\nb>y", "String:x<\nb>y"},  // ... and that one may not be a line feed
      {"x<b\n>y", "String:xy"},
      {vb::Null, "Null:"},  // the expression object refuses Null: the step is skipped
      {12, "String:12"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(typed(library::RemoveHtml(ctx(), c.text)), c.expected) << typed(c.text);
  }
  expect_quiet();
}

TEST_F(TextTest, CheckstringDoublesQuotesAndReplacebadcharRemovesTheSixteenCharacters) {
  EXPECT_EQ(typed(library::checkstring(ctx(), "O'Neil")), "String:O''Neil");
  EXPECT_EQ(typed(library::checkstring(ctx(), vb::Null)), "String:");
  const std::string all_bad = std::string("'%^&?()<>[]/\\;\"") + '\0';
  const TextCase replaced[] = {{all_bad + "x" + all_bad, "String:x"},
                               {"中文 1,2 ok!", "String:中文 1,2 ok!"},  // the comma stays
                               {vb::Null, "String:"}};
  for (const TextCase& c : replaced) {
    EXPECT_EQ(typed(library::replacebadchar(ctx(), c.text)), c.expected);
  }
  expect_quiet();
}

TEST_F(TextTest, ShrinklonginputCutsByWidthCountingDoubleByteCharactersTwice) {
  struct Case {
    vb::Variant text, width;
    const char *expected, *ii;  // ii: where the count stopped
  };
  const Case cases[] = {
      {"中文字符", 5, "String:中文", "Integer:3"},
      {"中文字符", 8, "String:中文字符", "Integer:5"},  // one past the last character
      {"a中b", 2, "String:a", "Integer:2"},
      {"abc", vb::Null, "Empty:", nullptr},
      {"中", 1, "Empty:", nullptr},  // nothing fits: no text
      {"a中b", 2.9, "String:a", nullptr},
      {"a中b", "3", "String:a中", nullptr},  // a width given as text is read as a number
      {"a中b", "wide", "String:a中b",
       nullptr},  // the loop never stops on a width that is no number
      // Characters outside the Basic Multilingual Plane are one character each.
      {"😀ab", 2, "String:😀a", nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed(library::shrinklonginput(ctx(), c.text, c.width)), c.expected)
        << typed(c.text) << " " << typed(c.width);
    if (c.ii) {
      EXPECT_EQ(typed(ctx().ii), c.ii) << typed(c.text);
    }
  }
  expect_quiet();
}

}  // namespace
}  // namespace library_test
