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

TEST_F(TextTest, DisplaytextEncodesBreaksAndMarksScriptAndCommentsInPlace) {
  const TextCase cases[] = {
      {"a b", "String:a&nbsp;b"},
      {"a\r\nb", "String:a<br>\nb"},  // the line feed stays
      {"<b>&\"'", "String:&lt;b&gt;&amp;&quot;'"},
      {"<% x %>",
       "String:<SPAN>&lt;%</SPAN><FONT COLOR=\"#000000\">&nbsp;x&nbsp;<SPAN>%</FONT>"
       "&gt;</SPAN>"},
      {"<!-- c -->", "String:<I><FONT COLOR=\"#CC0033\">&lt;!--&nbsp;c&nbsp;--&gt;</I></FONT>"},
      {vb::Null, "Null:"},
      {vb::Variant(), "Empty:"},
  };
  for (const TextCase& c : cases) {
    vb::Variant text = c.text;
    EXPECT_EQ(typed(library::displaytext(ctx(), text)), c.expected);
    EXPECT_EQ(typed(text), c.expected);  // written back into the caller's variable
  }
  expect_quiet();
}

TEST_F(TextTest, StrtohtmlAndGetlongtextTurnBreaksAndBlanksIntoHtml) {
  EXPECT_EQ(typed(library::strtohtml(ctx(), "a b\r\nc")), "String:a&nbsp;b<br>\nc");
  EXPECT_EQ(typed(library::strtohtml(ctx(), "<b>")), "String:<b>");  // no encoding
  EXPECT_EQ(typed(library::getlongtext(ctx(), " a\rb ")), "String:&nbsp;a<br>b&nbsp;");
  for (const vb::Variant& blank : {vb::Variant(vb::Null), vb::Variant("   "), vb::Variant("")}) {
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
      {"1 < 2 > 0", "String:1  0"},
      {"", "String:"},
      {vb::Null, "Null:"},  // the expression object refuses Null: the step is skipped
      {12, "String:12"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(typed(library::RemoveHtml(ctx(), c.text)), c.expected) << typed(c.text);
  }
  expect_quiet();
}

TEST_F(TextTest, CheckstringDoublesQuotesAndReplacebadcharRemovesTheSixteenCharacters) {
  const TextCase checked[] = {
      {"O'Neil", "String:O''Neil"}, {vb::Null, "String:"}, {12, "String:12"}};
  for (const TextCase& c : checked) {
    EXPECT_EQ(typed(library::checkstring(ctx(), c.text)), c.expected);
  }
  const std::string all_bad = std::string("'%^&?()<>[]/\\;\"") + '\0';
  const TextCase replaced[] = {{"a<b>;c", "String:abc"},
                               {all_bad + "x" + all_bad, "String:x"},
                               {"1,2", "String:1,2"},  // the comma stays
                               {"中文 ok!", "String:中文 ok!"},
                               {vb::Null, "String:"},
                               {"", "String:"}};
  for (const TextCase& c : replaced) {
    EXPECT_EQ(typed(library::replacebadchar(ctx(), c.text)), c.expected);
  }
  expect_quiet();
}

TEST_F(TextTest, ShrinklonginputCutsByWidthCountingDoubleByteCharactersTwice) {
  struct Case {
    vb::Variant text, width;
    const char* expected;
  };
  const Case cases[] = {
      {"中文字符", 5, "String:中文"},
      {"中文字符", 8, "String:中文字符"},
      {"abc", 2, "String:ab"},
      {"a中b", 2, "String:a"},
      {"a中b", 3, "String:a中"},
      {"abc", vb::Null, "Empty:"},
      {"中", 1, "Empty:"},  // nothing fits: no text
      {"a中b", 2.9, "String:a"},
      {"a中b", "3", "String:a中"},      // a width given as text is read as a number
      {"a中b", "wide", "String:a中b"},  // the loop never stops on a width that is no number
      // Characters outside the Basic Multilingual Plane are one character each.
      {"a𠀀", 10, "String:a𠀀"},
      {"😀ab", 2, "String:😀a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed(library::shrinklonginput(ctx(), c.text, c.width)), c.expected)
        << typed(c.text) << " " << typed(c.width);
  }
  expect_quiet();
  library::shrinklonginput(ctx(), "abc", 2);
  EXPECT_EQ(typed(ctx().ii), "Integer:3");  // stopped at the character that did not fit
  library::shrinklonginput(ctx(), "ab", 5);
  EXPECT_EQ(typed(ctx().ii), "Integer:3");  // one past the last character
}

}  // namespace
}  // namespace library_test
