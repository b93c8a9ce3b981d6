// RegExp: the page's placeholder, tag and block expressions, and the script engine's syntax.
#include "platform/regexp/regexp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/vb_matchers.h"

namespace platform::regexp {
namespace {

using Texts = std::vector<std::string>;

// A RegExp as the page builds its expressions: IgnoreCase and Global on, MultiLine as given.
RegExp page_regexp(const std::string& pattern, bool multi_line = true) {
  RegExp r;
  r.Pattern = pattern;
  r.IgnoreCase = true;
  r.Global = true;
  r.MultiLine = multi_line;
  return r;
}

Texts values(const Matches& matches) {
  Texts out;
  for (const auto& m : matches) out.push_back(m->Value);
  return out;
}

constexpr const char* kBlock = "((.|\\n)*<VB>)|(</VB>(.|\\n)*)";

TEST(RegExpPlaceholders, ShortestMatchOnOneLineIgnoringCase) {
  struct Case {
    const char* pattern;
    const char* text;
    Texts expected;
  };
  const Case cases[] = {
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
    EXPECT_EQ(values(*page_regexp(c.pattern).Execute(c.text)), c.expected) << c.pattern;
  }
  // A hidden field's placeholder becomes a blank.
  EXPECT_EQ(page_regexp("{12:.*?}")
                .Replace("<td>{12:密级}</td><td>{123:x}</td>{12:a}\n{12:b\n}", "&nbsp;"),
            "<td>&nbsp;</td><td>{123:x}</td>&nbsp;\n{12:b\n}");
}

TEST(RegExpTags, FirstCharacterAfterTheBracketIsNoLineFeed) {
  RegExp r = page_regexp("<(.[^>]*)>", false);
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
  RegExp r = page_regexp(kBlock);
  const std::pair<const char*, const char*> cases[] = {
      {"a<VB>b</VB>c<VB>d</VB>e", "d"},
      {"说明\r\n<vb>\r\nx = 1\r\ny = 2\r\n</Vb>\r\n尾", "\r\nx = 1\r\ny = 2\r\n"},
      {"<VB>only", "only"},
      {"no tags", "no tags"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(r.Replace(text, ""), expected) << text;
}

TEST(RegExpBlocks, AnyCharacterRepeatKeepsItsGroup) {
  auto matches = page_regexp(kBlock).Execute("ab\n<VB>c</VB>d\ne");
  ASSERT_EQ(matches->Count(), 2);
  EXPECT_EQ(matches->Item(0)->SubMatches(1), "\n");  // the last character the repeat took
  EXPECT_EQ(matches->Item(1)->SubMatches(3), "e");
  EXPECT_EQ(page_regexp("(.|\\n)*?x").Execute("ab\nx")->Item(0)->SubMatches(0), "\n");
  EXPECT_TRUE(page_regexp("a(.|\\n)*").Execute("a")->Item(0)->SubMatches(0).is_empty());
  EXPECT_EQ(page_regexp("a(?:.|\\n)*?b").Execute("a\nbb")->Item(0)->Value, "a\nb");
}

TEST(RegExpBlocks, LongTextNeitherOverflowsNorCrawls) {
  const std::string filler(2'000'000, 'x');
  std::string lines;
  for (int i = 0; i < 100'000; ++i) lines += "第" + std::to_string(i) + "行\r\n";
  RegExp r = page_regexp(kBlock);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(r.Replace(filler + "<VB>kept</VB>" + filler, ""), "kept");
  EXPECT_EQ(r.Replace(lines + "<VB>\r\nkept\r\n</VB>" + lines, ""), "\r\nkept\r\n");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(RegExpExecute, OffsetsCountCharactersNotBytes) {
  auto matches = page_regexp("abc|中").Execute("中文abc中");
  ASSERT_EQ(matches->Count(), 3);
  EXPECT_EQ(matches->Item(1)->FirstIndex, 2);
  EXPECT_EQ(matches->Item(1)->Length, 3);
  EXPECT_EQ(matches->Item(2)->FirstIndex, 5);
  EXPECT_EQ(matches->Item(2)->Length, 1);
  EXPECT_EQ(page_regexp("a").Execute("\U00020000a")->Item(0)->FirstIndex, 1);  // one character
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
    EXPECT_EQ(page_regexp(c.pattern, c.multi_line).Execute(c.text)->Count(), c.count)
        << c.pattern << " multi_line=" << c.multi_line;
  }
}

TEST(RegExpSyntax, ScriptEngineReadingOfDotBracesBracketsAndEscapes) {
  struct Case {
    const char* pattern;
    const char* text;
    const char* expected;  // the first match, "" for none
  };
  const Case cases[] = {
      {"a.c", "a\nc a\rc", "a\rc"},  {"a{2}", "aaa", "aa"},  {"a{1,}?", "aaa", "a"},
      {"a{,2}", "aa{,2}", "a{,2}"},  {"{x}", "{x}", "{x}"},  {"x}", "x}", "x}"},
      {"[[:alpha:]]", "b a]", "a]"}, {"[]a]", "]", ""},      {"[^]", "\n", "\n"},
      {"\\v", "\x0b", "\x0b"},       {"\\h\\e", "he", "he"}, {"\\x41\\u4E2D", "A中", "A中"},
      {"\\d\\w", "٣a1_", "1_"},      {"(a)?\\1b", "b", "b"}, {"(?:ab)(?=c)", "abc", "ab"},
      {"ABC", "xabcx", "abc"},
  };
  for (const auto& c : cases) {
    auto matches = page_regexp(c.pattern).Execute(c.text);
    EXPECT_EQ(matches->Count() == 0 ? "" : matches->Item(0)->Value, c.expected) << c.pattern;
  }
}

TEST(RegExpSyntax, ErrorsRaise5017WhenUsed) {
  for (const char* pattern : {"(", "a)", "[a", "\\", "*a", "(?<=a)b", "(?<!a)b", "(?<n>a)", "(?>a)",
                              "(?i)a", "a*+", "a++", "a?+", "(.|\\n)*+", "a{2}+"}) {
    SCOPED_TRACE(pattern);
    EXPECT_VB_ERROR_TEXT(5017, "Syntax error in regular expression",
                         page_regexp(pattern).Test("x"));
  }
  RegExp r = page_regexp("(");
  try {
    r.Replace("x", "");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.line(), __LINE__ - 3);  // the line of the call
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

TEST(RegExpReplace, AnEmptyMatchMovesOnOneCharacter) {
  RegExp r = page_regexp("x*");
  EXPECT_EQ(r.Replace("a中c", "-"), "-a-中-c-");
  EXPECT_EQ(r.Execute("ab")->Count(), 3);
  EXPECT_EQ(r.Replace("axxb", "-"), "-a--b-");
}

TEST(RegExpOptions, WithoutGlobalOnlyTheFirstMatchCountsAndChangesTakeEffect) {
  RegExp r;
  r.Pattern = "\\d";
  EXPECT_EQ(values(*r.Execute("a1b2")), Texts{"1"});
  EXPECT_EQ(r.Execute("ab")->Count(), 0);
  EXPECT_EQ(r.Replace("a1b2", "-"), "a-b2");
  r.Global = true;
  EXPECT_EQ(values(*r.Execute("a1b2")), (Texts{"1", "2"}));
  EXPECT_EQ(r.Replace("a1b2", "-"), "a-b-");
  // A changed pattern or option takes effect at the next use.
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

TEST(RegExpArguments, EmptyIsEmptyTextNumbersAreTextNullIsAMismatch) {
  RegExp r = page_regexp("^$");
  EXPECT_TRUE(r.Test(vb::Variant()));
  r.Pattern = "2\\.5";
  EXPECT_TRUE(r.Test(vb::Variant(2.5)));
  EXPECT_EQ(r.Replace(vb::Variant(12.5), vb::Variant(7)), "17");
  EXPECT_VB_ERROR(13, r.Test(vb::Null));
}

TEST(RegExpMatch, SubMatchesItemsAndDefaultValue) {
  auto matches = page_regexp("(a)|(b)").Execute("b");
  ASSERT_EQ(matches->Count(), 1);
  const Match& m = *matches->Item(0);
  EXPECT_TRUE(m.SubMatches(0).is_empty());
  EXPECT_EQ(m.SubMatches(1), "b");
  EXPECT_EQ(m.default_value(), "b");
  EXPECT_VB_ERROR(5, m.SubMatches(-1));
  EXPECT_VB_ERROR(5, m.SubMatches(2));
  EXPECT_VB_ERROR(5, matches->Item(1));
}

}  // namespace
}  // namespace platform::regexp
