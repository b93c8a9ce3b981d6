// Text functions: characters counted as code points, edges, Null handling.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/builtins.h"

namespace {

using vb::Variant;

// Every position and length counts characters, so a character outside the Basic Multilingual
// Plane is one, like any other, and no function can cut it in two.
TEST(Strings, CharactersOutsideTheBmpCountAsOne) {
  const Variant text("😀a𠀀b");
  EXPECT_TRUE(vb::Len(text) == 4);
  const struct {
    Variant result;
    const char* expected;
  } cases[] = {
      {vb::Mid("😀a", 1, 1), "😀"},   {vb::Mid("😀a", 2, 1), "a"},   {vb::Mid("😀a", 3, 1), ""},
      {vb::Mid(text, 3), "𠀀b"},       {vb::Left(text, 1), "😀"},     {vb::Left(text, 3), "😀a𠀀"},
      {vb::Right(text, 2), "𠀀b"},     {vb::Right("a𠀀", 1), "𠀀"},
      {vb::Replace(text, "a", "-", 2), "-𠀀b"},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.result == c.expected) << c.expected;
  // InStr(5, text, "") starts past the end.
  const long at[] = {vb::CLng(vb::InStr(text, "a")),       vb::CLng(vb::InStr(text, "b")),
                     vb::CLng(vb::InStr(3, text, "𠀀")),   vb::CLng(vb::InStr(4, text, "𠀀")),
                     vb::CLng(vb::InStr(5, text, "")),     vb::CLng(vb::InStrRev(text, "😀")),
                     vb::CLng(vb::InStrRev(text, "b", 3)), vb::CLng(vb::InStrRev(text, "𠀀", 3))};
  EXPECT_THAT(at, ::testing::ElementsAre(2, 4, 3, 0, 0, 1, 0, 3));
  // Invalid bytes count one each and come back unchanged.
  EXPECT_TRUE(vb::Len("a\xFF\xC3" "b") == 4);
  EXPECT_TRUE(vb::Mid("a\xFF\xC3" "b", 2, 2) == "\xFF\xC3");
  // A lone byte never matches inside a whole character (\x98 is inside 😀, F0 9F 98 80).
  const Variant stray("😀\x98" "b");
  EXPECT_TRUE(vb::InStr(stray, "\x98") == 2);
  EXPECT_TRUE(vb::InStrRev(stray, "\x98") == 2);
  EXPECT_TRUE(vb::InStr(stray, "\xF0") == 0);
  EXPECT_EQ(vb::Replace(stray, "\x98", "-"), "😀-b");
}

TEST(Strings, NullPassesThroughOrRaises) {
  const Variant null(vb::Null);
  for (const Variant& result :
       {vb::Len(null), vb::Trim(null), vb::UCase(null), vb::Left(null, 2), vb::Right(null, 2),
        vb::Mid(null, 1), vb::InStr(null, "a"), vb::InStr("a", null), vb::InStrRev(null, "a")}) {
    EXPECT_TRUE(vb::IsNull(result)) << testing::PrintToString(result);
  }
  EXPECT_VB_ERROR_TEXT(94, "Invalid use of Null", vb::Replace(null, "a", "b"));
  EXPECT_VB_ERROR(94, vb::Replace("a", null, "b"));
  EXPECT_VB_ERROR(94, vb::Replace("a", "a", null));
  EXPECT_VB_ERROR(94, vb::Split(null, ","));
  EXPECT_VB_ERROR(94, vb::Left("abc", null));
  EXPECT_VB_ERROR(94, vb::Mid("abc", null));
}

TEST(Strings, BadPositionsRaiseFive) {
  EXPECT_VB_ERROR_TEXT(5, "Invalid procedure call or argument", vb::Mid("abc", 0));
  EXPECT_VB_ERROR(5, vb::Mid("abc", 1, -1));
  EXPECT_VB_ERROR(5, vb::Left("abc", -1));
  EXPECT_VB_ERROR(5, vb::Right("abc", -1));
  EXPECT_VB_ERROR(5, vb::InStr(0, "abc", "a"));
  EXPECT_VB_ERROR(5, vb::InStrRev("abc", "a", 0));
  EXPECT_VB_ERROR(5, vb::Replace("abc", "a", "b", 0));
}

TEST(Strings, LeftRightMidEdges) {
  EXPECT_TRUE(vb::Left("abc", 0) == "");
  EXPECT_TRUE(vb::Left("abc", 9) == "abc");
  EXPECT_TRUE(vb::Right("abc", 9) == "abc");
  EXPECT_TRUE(vb::Mid("abc", 4) == "");
  EXPECT_TRUE(vb::Mid("abc", 2, 9) == "bc");
  EXPECT_TRUE(vb::Mid(Variant(), 1) == "");
  EXPECT_TRUE(vb::Left(12345, 2) == "12");  // numbers are measured as their text
  EXPECT_TRUE(vb::Len(12.5) == 4);
}

TEST(Strings, InStrEdges) {
  EXPECT_TRUE(vb::InStr("abc", "") == 1);
  EXPECT_TRUE(vb::InStr(2, "abc", "") == 2);
  EXPECT_TRUE(vb::InStr("", "a") == 0);
  EXPECT_TRUE(vb::InStr(4, "abc", "c") == 0);
  EXPECT_TRUE(vb::InStr("aBc", "b") == 0);  // binary comparison
  EXPECT_TRUE(vb::InStr(5, 5) == 1);
  EXPECT_TRUE(vb::InStrRev("abcabc", "c", 5) == 3);
  EXPECT_TRUE(vb::InStrRev("abcabc", "", 4) == 4);
  EXPECT_TRUE(vb::InStrRev("abc", "c", 9) == 0);
  EXPECT_EQ(vb::VarType::Long, vb::InStr("abc", "b").type());
}

TEST(Strings, ReplaceScansLeftToRightOnce) {
  EXPECT_EQ("cac", vb::Replace("abcabc", "b", "", 3));
  EXPECT_EQ("aa", vb::Replace("aaa", "aa", "a"));
  EXPECT_EQ("abc", vb::Replace("abc", "", "x"));
  EXPECT_EQ("xbcabc", vb::Replace("abcabc", "a", "x", 1, 1));
  EXPECT_EQ("", vb::Replace("abc", "a", "x", 9));
  EXPECT_EQ("ABC", vb::Replace("ABC", "a", "x"));
  EXPECT_EQ("", vb::Replace(Variant(), "a", "x"));
  EXPECT_EQ("1-5", vb::Replace(1.5, ".", "-"));
}

TEST(Strings, TrimRemovesBlanksOnly) {
  EXPECT_TRUE(vb::Trim("  a b  ") == "a b");
  EXPECT_TRUE(vb::LTrim("  a  ") == "a  ");
  EXPECT_TRUE(vb::RTrim("  a  ") == "  a");
  EXPECT_TRUE(vb::Trim("\ta\r\n") == "\ta\r\n");
  EXPECT_TRUE(vb::Trim("\u3000a") == "\u3000a");  // the ideographic space stays
  EXPECT_TRUE(vb::Trim("   ") == "");
}

TEST(Strings, CaseChangesEveryCasedLetterAndNothingElse) {
  const struct {
    const char* lower;
    const char* upper;
  } pairs[] = {
      {"abc中z1", "ABC中Z1"},
      {"àéîõüçñÿ", "ÀÉÎÕÜÇÑŸ"},          // Latin-1
      {"āčęğıłőšžǆ", "ĀČĘĞIŁŐŠŽǄ"},    // Latin Extended (ı has I as its capital)
      {"𐐨", "𐐀"},                      // Deseret, outside the BMP
  };
  for (const auto& p : pairs) {
    EXPECT_TRUE(vb::UCase(p.lower) == p.upper) << p.lower;
  }
  for (const auto& p : {pairs[0], pairs[1], pairs[3]}) {
    EXPECT_TRUE(vb::LCase(p.upper) == p.lower) << p.upper;
  }
  // No case: digits, punctuation, CJK, ß (no one-letter capital); invalid bytes stay.
  for (const char* same : {"1,.;中文　！ß", "\xC9\xFF"}) {
    EXPECT_TRUE(vb::UCase(same) == same) << same;
    EXPECT_TRUE(vb::LCase(same) == same) << same;
  }
  EXPECT_TRUE(vb::UCase(Variant()) == "");
}

TEST(CodePage, AscGivesCp936Codes) {
  const struct {
    const char* ch;
    int asc;
    int ascw;
  } cases[] = {{"A", 65, 65},          {"中", -10544, 20013},
               {"国", -17926, 22269},  {"\xE3\x80\x80", -24159, 12288},  // U+3000
               {"，", -23636, -244},   {"€", 128, 8364},
               {"中文", -10544, 20013}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.asc, vb::Asc(c.ch)) << c.ch;
    EXPECT_EQ(c.ascw, vb::AscW(c.ch)) << c.ch;
  }
  EXPECT_EQ(63, vb::Asc("\xF0\x9F\x98\x80"));  // no CP936 form: read as '?'
  EXPECT_VB_ERROR(5, vb::Asc(""));
  EXPECT_VB_ERROR(94, vb::Asc(vb::Null));
}

TEST(CodePage, ChrTakesSignedAndUnsignedCodes) {
  EXPECT_TRUE(vb::Chr(-10544) == "中");
  EXPECT_TRUE(vb::Chr(54992) == "中");
  EXPECT_EQ(1, vb::CLng(vb::Len(vb::Chr(0))));
  EXPECT_EQ(-10544, vb::Asc(vb::Chr(-10544)));
  EXPECT_VB_ERROR(5, vb::Chr(70000));
  EXPECT_VB_ERROR(5, vb::Chr(0xFFFF));
}

}  // namespace
