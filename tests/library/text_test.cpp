#include <gtest/gtest.h>

#include <string>

#include "library/formatting.h"
#include "library_fixture.h"

namespace library_test {
namespace {

using TextTest = ContextTest;

TEST_F(TextTest, DisplaytextEncodesBreaksAndMarksScriptAndComments) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"a b", "a&nbsp;b"},
      {"a\r\nb", "a<br>\nb"},  // the line feed stays
      {"<b>&\"'", "&lt;b&gt;&amp;&quot;'"},
      {"<% x %>",
       "<SPAN>&lt;%</SPAN><FONT COLOR=\"#000000\">&nbsp;x&nbsp;<SPAN>%</FONT>&gt;</SPAN>"},
      {"<!-- c -->", "<I><FONT COLOR=\"#CC0033\">&lt;!--&nbsp;c&nbsp;--&gt;</I></FONT>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    vb::Variant text = c.text;
    const vb::Variant result = library::displaytext(ctx(), text);
    EXPECT_EQ(result.str(), c.expected);
    EXPECT_EQ(text.str(), c.expected);  // written back into the caller's variable
  }
  context_.expect_quiet();
}

TEST_F(TextTest, DisplaytextLeavesEmptyTextAndNullAsTheyAre) {
  vb::Variant empty_text = "";
  EXPECT_TRUE(library::displaytext(ctx(), empty_text) == "");
  EXPECT_TRUE(empty_text.is_string());
  vb::Variant null = vb::Null;
  EXPECT_TRUE(library::displaytext(ctx(), null).is_null());
  EXPECT_TRUE(null.is_null());
  vb::Variant empty;
  EXPECT_TRUE(library::displaytext(ctx(), empty).is_empty());
  EXPECT_TRUE(empty.is_empty());
  context_.expect_quiet();
}

TEST_F(TextTest, StrtohtmlAndGetlongtextTurnBreaksAndBlanksIntoHtml) {
  EXPECT_EQ(library::strtohtml(ctx(), "a b\r\nc").str(), "a&nbsp;b<br>\nc");
  EXPECT_EQ(library::strtohtml(ctx(), "<b>").str(), "<b>");                      // no encoding
  EXPECT_EQ(library::getlongtext(ctx(), " a\rb ").str(), "&nbsp;a<br>b&nbsp;");  // untrimmed
  EXPECT_TRUE(library::getlongtext(ctx(), vb::Null).is_empty());
  EXPECT_TRUE(library::getlongtext(ctx(), "   ").is_empty());
  EXPECT_TRUE(library::getlongtext(ctx(), "").is_empty());
  context_.expect_quiet();
}

TEST_F(TextTest, StrtohtmlOfNullIsReported) {
  EXPECT_TRUE(library::strtohtml(ctx(), vb::Null).is_empty());
  context_.expect_reported(94, "Invalid use of Null", "strtohtml");
}

TEST_F(TextTest, RemoveHtmlStripsTags) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"a<b>bold</b> text", "abold text"},
      {"a <B CLASS=x>bold</B> text", "a bold text"},
      {"<>", "<>"},            // a tag needs one character between the brackets
      {"x<\nb>y", "x<\nb>y"},  // ... and that one may not be a line feed
      {"x<b\n>y", "xy"},
      {"1 < 2 > 0", "1  0"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(library::RemoveHtml(ctx(), c.text).str(), c.expected);
  }
  context_.expect_quiet();
}

TEST_F(TextTest, RemoveHtmlSkipsWhatFailsAndReturnsTheTextAsItWas) {
  // The expression object refuses Null: the step is skipped silently.
  EXPECT_TRUE(library::RemoveHtml(ctx(), vb::Null).is_null());
  EXPECT_EQ(library::RemoveHtml(ctx(), 12).str(), "12");
  context_.expect_quiet();
}

TEST_F(TextTest, CheckstringDoublesQuotes) {
  EXPECT_EQ(library::checkstring(ctx(), "O'Neil").str(), "O''Neil");
  EXPECT_EQ(library::checkstring(ctx(), "''").str(), "''''");
  EXPECT_EQ(library::checkstring(ctx(), "none").str(), "none");
  EXPECT_EQ(library::checkstring(ctx(), vb::Null).str(), "");
  EXPECT_EQ(library::checkstring(ctx(), 12).str(), "12");
  context_.expect_quiet();
}

TEST_F(TextTest, ReplacebadcharRemovesTheSixteenCharacters) {
  const std::string all_bad = std::string("'%^&?()<>[]/\\;\"") + '\0';
  struct Case {
    vb::Variant text;
    const char* expected;
  };
  const Case cases[] = {
      {"a<b>;c", "abc"},
      {all_bad + "x" + all_bad, "x"},
      {"1,2", "1,2"},  // the comma stays
      {"中文 ok!", "中文 ok!"},
      {vb::Null, ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    const vb::Variant result = library::replacebadchar(ctx(), c.text);
    ASSERT_TRUE(result.is_string());
    EXPECT_EQ(result.str(), c.expected);
  }
  context_.expect_quiet();
}

TEST_F(TextTest, ShrinklonginputCutsByWidthCountingDoubleByteCharactersTwice) {
  struct Case {
    const char* text;
    int width;
    const char* expected;
  };
  const Case cases[] = {
      {"中文字符", 5, "中文"}, {"中文字符", 4, "中文"}, {"中文字符", 8, "中文字符"},
      {"abc", 2, "ab"},        {"abc", 3, "abc"},       {"a中b", 2, "a"},
      {"a中b", 3, "a中"},      {"a中b", 4, "a中b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.width));
    EXPECT_EQ(library::shrinklonginput(ctx(), c.text, c.width).str(), c.expected);
  }
  context_.expect_quiet();
}

TEST_F(TextTest, ShrinklonginputGivesEmptyWithoutWidthOrText) {
  EXPECT_TRUE(library::shrinklonginput(ctx(), "abc", vb::Variant()).is_empty());
  EXPECT_TRUE(library::shrinklonginput(ctx(), "abc", vb::Null).is_empty());
  EXPECT_TRUE(library::shrinklonginput(ctx(), "", 5).is_empty());
  EXPECT_TRUE(library::shrinklonginput(ctx(), "中", 1).is_empty());  // nothing fits: no text
  context_.expect_quiet();
}

TEST_F(TextTest, ShrinklonginputMovesThePageCounter) {
  ctx().ii = 7;
  library::shrinklonginput(ctx(), "abc", 2);
  EXPECT_TRUE(ctx().ii == 3);  // stopped at the character that did not fit
  library::shrinklonginput(ctx(), "ab", 5);
  EXPECT_TRUE(ctx().ii == 3);  // one past the last character
}

}  // namespace
}  // namespace library_test
