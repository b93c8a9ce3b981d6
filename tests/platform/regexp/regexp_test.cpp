#include "platform/regexp/regexp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace platform::regexp {
namespace {

// A RegExp as the page builds its placeholder and block expressions: all three options on.
RegExp page_regexp(const std::string& pattern) {
  RegExp r;
  r.Pattern = pattern;
  r.IgnoreCase = true;
  r.Global = true;
  r.MultiLine = true;
  return r;
}

std::vector<std::string> values(const Matches& matches) {
  std::vector<std::string> out;
  for (const auto& m : matches) out.push_back(m->Value);
  return out;
}

long error_number_of_pattern(const std::string& pattern) {
  RegExp r = page_regexp(pattern);
  try {
    r.Test("text");
  } catch (const vb::VbError& e) {
    return e.number();
  }
  return 0;
}

struct PlaceholderCase {
  const char* pattern;
  const char* text;
  std::vector<std::string> expected;
};

TEST(RegExpPlaceholders, ShortestMatchOnOneLineIgnoringCase) {
  const PlaceholderCase cases[] = {
      {"\\$.*?:.*?\\$",
       "姓名$1:名称$ 和 $2:日期$ $4:甲$乙:丙$\r\n$3:跨\n行$",
       {"$1:名称$", "$2:日期$", "$4:甲$"}},
      {"{.*?:.*?}",
       "<td>{12:姓名}</td><td>{13:部门}</td>\r\n{14:备\n注}{15:回车\r}",
       {"{12:姓名}", "{13:部门}", "{15:回车\r}"}},
      {"{.*?:.*?}", "{a\n{16:x}}", {"{16:x}"}},
      {"{%.*?%}", "前{%1%}中{%二%}\n{%跨\n行%}{%回\r车%}", {"{%1%}", "{%二%}", "{%回\r车%}"}},
      {"{ab:.*?}", "{AB:大写} {aB:混合}", {"{AB:大写}", "{aB:混合}"}},
  };
  for (const auto& c : cases) {
    RegExp r = page_regexp(c.pattern);
    EXPECT_EQ(values(*r.Execute(c.text)), c.expected) << c.pattern << " on " << c.text;
  }
}

TEST(RegExpPlaceholders, HiddenFieldBecomesNbsp) {
  RegExp r = page_regexp("{12:.*?}");
  EXPECT_EQ(r.Replace("<td>{12:密级}</td><td>{123:x}</td>{12:a}\n{12:b\n}", "&nbsp;"),
            "<td>&nbsp;</td><td>{123:x}</td>&nbsp;\n{12:b\n}");
}

TEST(RegExpTags, FirstCharacterAfterTheBracketIsNoLineFeed) {
  RegExp r;
  r.Pattern = "<(.[^>]*)>";
  r.IgnoreCase = true;
  r.Global = true;
  const std::pair<const char*, const char*> cases[] = {
      {"<p class=\"a\">正文</p>", "正文"},
      {"a<>b", "a<>b"},
      {"<\nb>", "<\nb>"},
      {"<b\n>x", "x"},
      {"<\rb>x", "x"},
      {"1 < 2 > 0", "1  0"},
      {"<<b>>", ">"},
      {"", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(r.Replace(text, ""), expected) << text;
}

TEST(RegExpBlocks, KeepsTextBetweenLastOpeningTagAndTheClosingTagAfterIt) {
  RegExp r = page_regexp("((.|\\n)*<VB>)|(</VB>(.|\\n)*)");
  const std::pair<const char*, const char*> cases[] = {
      {"a<VB>b</VB>c<VB>d</VB>e", "d"},
      {"说明\r\n<vb>\r\nx = 1\r\ny = 2\r\n</Vb>\r\n尾", "\r\nx = 1\r\ny = 2\r\n"},
      {"<VB>only", "only"},
      {"no tags", "no tags"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(r.Replace(text, ""), expected) << text;
}

TEST(RegExpBlocks, AnyCharacterRepeatKeepsItsGroup) {
  RegExp r = page_regexp("((.|\\n)*<VB>)|(</VB>(.|\\n)*)");
  auto matches = r.Execute("ab\n<VB>c</VB>d\ne");
  ASSERT_EQ(matches->Count(), 2);
  const Match& open = *matches->Item(0);
  EXPECT_EQ(open.Value, "ab\n<VB>");
  EXPECT_EQ(open.SubMatches(1), "\n");
  EXPECT_TRUE(open.SubMatches(2).is_empty());
  const Match& close = *matches->Item(1);
  EXPECT_EQ(close.FirstIndex, 8);
  EXPECT_TRUE(close.SubMatches(0).is_empty());
  EXPECT_EQ(close.SubMatches(2), "</VB>d\ne");
  EXPECT_EQ(close.SubMatches(3), "e");

  r.Pattern = "(.|\\n)*?x";
  EXPECT_EQ(r.Execute("ab\nx")->Item(0)->SubMatches(0), "\n");
  r.Pattern = "a(.|\\n)*";
  EXPECT_TRUE(r.Execute("a")->Item(0)->SubMatches(0).is_empty());
  r.Pattern = "a(?:.|\\n)*?b";
  EXPECT_EQ(r.Execute("a\nbb")->Item(0)->Value, "a\nb");
}

TEST(RegExpBlocks, LongTextNeitherOverflowsNorCrawls) {
  const std::string filler(2'000'000, 'x');
  const std::string lines = [] {
    std::string s;
    for (int i = 0; i < 100'000; ++i) s += "第" + std::to_string(i) + "行\r\n";
    return s;
  }();
  RegExp r = page_regexp("((.|\\n)*<VB>)|(</VB>(.|\\n)*)");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(r.Replace(filler + "<VB>kept</VB>" + filler, ""), "kept");
  EXPECT_EQ(r.Replace(lines + "<VB>\r\nkept\r\n</VB>" + lines, ""), "\r\nkept\r\n");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(RegExpExecute, OffsetsCountCharactersNotBytes) {
  RegExp r = page_regexp("abc|中");
  auto matches = r.Execute("中文abc中");
  ASSERT_EQ(matches->Count(), 3);
  EXPECT_EQ(matches->Item(0)->FirstIndex, 0);
  EXPECT_EQ(matches->Item(1)->FirstIndex, 2);
  EXPECT_EQ(matches->Item(1)->Length, 3);
  EXPECT_EQ(matches->Item(2)->FirstIndex, 5);
  EXPECT_EQ(matches->Item(2)->Length, 1);

  r.Pattern = "a";
  auto beyond_bmp = r.Execute(
      "\xF0\xA0\x80\x80"
      "a");  // U+20000 is two UTF-16 units
  ASSERT_EQ(beyond_bmp->Count(), 1);
  EXPECT_EQ(beyond_bmp->Item(0)->FirstIndex, 2);
}

// The engine's own worked results (Global, IgnoreCase and MultiLine on).
TEST(RegExpVectors, WorkedResults) {
  auto dot = page_regexp("a.c").Execute("a\rc a\nc");
  ASSERT_EQ(dot->Count(), 1);
  EXPECT_EQ(dot->Item(0)->Value, "a\rc");
  EXPECT_EQ(dot->Item(0)->FirstIndex, 0);

  auto caret = page_regexp("^b").Execute("a\r\nb");
  ASSERT_EQ(caret->Count(), 1);
  EXPECT_EQ(caret->Item(0)->FirstIndex, 3);

  EXPECT_EQ(page_regexp("{%.*?%}").Replace("x{%1%}y{%2%}z", ""), "xyz");
  EXPECT_EQ(page_regexp("((.|\\n)*<VB>)|(</VB>(.|\\n)*)").Replace("a<VB>b</VB>c<VB>d</VB>e", ""),
            "d");
  EXPECT_EQ(page_regexp("(\\w+) (\\w+)").Replace("ab cd", "$2 $1"), "cd ab");
}

TEST(RegExpAnchors, LineEndsCountOnlyWithMultiLine) {
  struct Case {
    const char* pattern;
    bool multi_line;
    const char* text;
    long count;
  };
  const Case cases[] = {
      {"^b", false, "a\nb", 0},  {"^b", true, "a\rb", 1},   {"^", true, "a\r\nb", 3},
      {"a$", false, "a\n", 0},   {"a$", true, "a\r\nb", 1}, {"a$", false, "ba", 1},
      {"^a", false, "ba\na", 0}, {"$", true, "\r\n", 3},
  };
  for (const auto& c : cases) {
    RegExp r;
    r.Pattern = c.pattern;
    r.Global = true;
    r.MultiLine = c.multi_line;
    EXPECT_EQ(r.Execute(c.text)->Count(), c.count) << c.pattern << " multi_line=" << c.multi_line;
  }
}

TEST(RegExpSyntax, ScriptEngineReadingOfBracesBracketsAndEscapes) {
  struct Case {
    const char* pattern;
    const char* text;
    const char* expected;  // the first match, "" for none
  };
  const Case cases[] = {
      {"a{2}", "aaa", "aa"},
      {"a{1,}?", "aaa", "a"},
      {"a{,2}", "aa{,2}", "a{,2}"},
      {"{x}", "{x}", "{x}"},
      {"x}", "x}", "x}"},
      {"[[:alpha:]]", "b a]", "a]"},
      {"[]a]", "]", ""},
      {"[^]", "\n", "\n"},
      {"\\v", "\x0b", "\x0b"},
      {"\\h\\e", "he", "he"},
      {"\\x41\\u4E2D", "A中", "A中"},
      {"\\d\\w", "٣a1_", "1_"},
      {"(a)?\\1b", "b", "b"},
      {"(?:ab)(?=c)", "abc", "ab"},
      {"ABC", "xabcx", "abc"},
  };
  for (const auto& c : cases) {
    RegExp r = page_regexp(c.pattern);
    auto matches = r.Execute(c.text);
    EXPECT_EQ(matches->Count() == 0 ? "" : matches->Item(0)->Value, c.expected) << c.pattern;
  }
}

TEST(RegExpSyntax, ErrorsRaise5017) {
  for (const char* pattern : {"(", "a)", "[a", "\\", "*a", "(?<=a)b", "(?<!a)b", "(?<n>a)", "(?>a)",
                              "(?i)a", "a*+", "a++", "a?+", "(.|\\n)*+", "a{2}+"}) {
    EXPECT_EQ(error_number_of_pattern(pattern), 5017) << pattern;
  }
  RegExp r = page_regexp("(");
  try {
    r.Replace("x", "");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.description(), "Syntax error in regular expression");
    EXPECT_EQ(e.line(), __LINE__ - 4);
  }
}

TEST(RegExpReplace, TokensOfTheReplacementText) {
  RegExp r = page_regexp("(b)(x)?");
  const std::pair<const char*, const char*> cases[] = {
      {"[$1]", "a[b]c"}, {"[$&]", "a[b]c"}, {"[$`]", "a[a]c"},  {"[$']", "a[c]c"},
      {"[$$]", "a[$]c"}, {"[$2]", "a[]c"},  {"[$3]", "a[$3]c"}, {"[$0]", "a[$0]c"},
      {"[$]", "a[$]c"},  {"$", "a$c"},      {"$$1", "a$1c"},    {"$11", "ab1c"},
  };
  for (const auto& [with, expected] : cases) EXPECT_EQ(r.Replace("abc", with), expected) << with;
}

TEST(RegExpReplace, GlobalOffReplacesTheFirstOnly) {
  RegExp r;
  r.Pattern = "o";
  EXPECT_EQ(r.Replace("foo", "0"), "f0o");
  r.Global = true;
  EXPECT_EQ(r.Replace("foo", "0"), "f00");
}

TEST(RegExpReplace, AnEmptyMatchMovesOnOneCharacter) {
  RegExp r = page_regexp("x*");
  EXPECT_EQ(r.Replace("a中c", "-"), "-a-中-c-");
  EXPECT_EQ(r.Execute("ab")->Count(), 3);
  EXPECT_EQ(r.Replace("axxb", "-"), "-a--b-");
}

TEST(RegExpArguments, EmptyIsEmptyTextNumbersAreTextNullIsAMismatch) {
  RegExp r = page_regexp("^$");
  EXPECT_TRUE(r.Test(vb::Variant()));
  r.Pattern = "2\\.5";
  EXPECT_TRUE(r.Test(vb::Variant(2.5)));
  EXPECT_EQ(r.Replace(vb::Variant(12.5), vb::Variant(7)), "17");
  try {
    r.Test(vb::Null);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 13);
  }
}

TEST(RegExpMatch, SubMatchesAndDefaultValue) {
  RegExp r = page_regexp("(a)|(b)");
  auto matches = r.Execute("b");
  ASSERT_EQ(matches->Count(), 1);
  const Match& m = *matches->Item(0);
  EXPECT_TRUE(m.SubMatches(0).is_empty());
  EXPECT_EQ(m.SubMatches(1), "b");
  EXPECT_EQ(m.default_value(), "b");
  for (long bad : {-1L, 2L}) {
    try {
      m.SubMatches(bad);
      ADD_FAILURE() << bad;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.number(), 5);
    }
  }
  try {
    matches->Item(1);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 5);
  }
}

TEST(RegExpCache, ChangingPatternOrOptionsTakesEffect) {
  RegExp r;
  r.Pattern = "a";
  EXPECT_TRUE(r.Test("xa"));
  r.Pattern = "b";
  EXPECT_FALSE(r.Test("xa"));
  EXPECT_FALSE(r.Test("B"));
  r.IgnoreCase = true;
  EXPECT_TRUE(r.Test("B"));
  r.Pattern = "^B";
  EXPECT_FALSE(r.Test("a\nB"));
  r.MultiLine = true;
  EXPECT_TRUE(r.Test("a\nB"));
}

TEST(RegExpGlobal, ExecuteWithoutGlobalGivesAtMostOneMatch) {
  RegExp r;
  r.Pattern = "\\d";
  EXPECT_EQ(values(*r.Execute("a1b2")), std::vector<std::string>{"1"});
  EXPECT_EQ(r.Execute("ab")->Count(), 0);
  r.Global = true;
  EXPECT_EQ(values(*r.Execute("a1b2")), (std::vector<std::string>{"1", "2"}));
}

}  // namespace
}  // namespace platform::regexp
