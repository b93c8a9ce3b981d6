// TemplateText fills the placeholders the template wrote and nothing else: whatever a value
// holds, and wherever it stands, no later fill and no later pass finds a placeholder in it.
#include "page/fields/template_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "platform/eventlog/event_log.h"
#include "platform/regexp/regexp.h"
#include "vb/builtins.h"

namespace page {
namespace {

constexpr char kField[] = "{.*?:.*?}";
constexpr char kReference[] = "{%.*?%}";

class TemplateTextTest : public ::testing::Test {
 protected:
  // One pass of `pattern` over the page's template, filling match i with values[i % size]
  // ("#skip" leaves it).
  void pass(const char* pattern, const std::vector<std::string>& values) {
    TemplateText text(p.BiaoDanHTML, p.template_parts, pattern, regex, matches);
    for (std::size_t i = 0; i < text.found().size(); ++i) {
      const std::string& value = values[i % values.size()];
      if (value != "#skip") text.fill(i, value);
    }
    text.finish();
  }
  std::string html() const { return vb::CStr(p.BiaoDanHTML); }

  PageState p{std::make_shared<platform::eventlog::RecordingEventLog>()};
  vb::Variant regex, matches;
};

TEST_F(TemplateTextTest, FillsTheTemplatesOwnPlaceholdersOnly) {
  struct Case {
    const char* pattern;
    const char* text;
    std::vector<std::string> values;
    const char* filled;
  } cases[] = {
      {kField, "a{1:x}b{2:y}c", {"<1>", "<2>"}, "a<1>b<2>c"},
      {kField, "{1:x}{1:x}|{1:x}", {"A", "B", "C"}, "AA|A"},       // the first fill takes all
      {kField, "{1:x}|{9:y}|{1:x}", {"#skip", "N", "Z"}, "Z|N|Z"},  // left, then filled by a twin
      {kField, "{1:a}{2:b}", {"{2:b}", "Q"}, "{2:b}Q"},  // a value holds a later placeholder
      {kField, "{1:a}{2:b}", {"{1:a}", "Q"}, "{1:a}Q"},  // ... or its own
      {kField, "{1:a}:z}{2:b}", {"{2", "Q"}, "{2:z}Q"},  // a value that would run on
      {kField, "{a{1:x}|{1:x}", {"A", "B"}, "A|B"},      // a placeholder holding an opening
      {kField, "{1:x}\n{2:y}", {"{\n", "Q"}, "{\n\nQ"},
      {kField, "{1:a}{2:b}", {"CKEDITOR.replace('zd1',{toolbar: 'myBasic'});", "Q"},
       "CKEDITOR.replace('zd1',{toolbar: 'myBasic'});Q"},
      {kReference, "{%1%}+{%1%}={%2%}", {"3", "x", "6"}, "3+3=6"},
      {kReference, "{%1%}{%2%}", {"{%2%}", "Q"}, "{%2%}Q"},
      {kReference, "{%1%}%}{%2%}", {"{", "Q"}, "{%}Q"},  // "{" then "%}" would open a reference
      {kReference, "{%%}{%{%1%}", {"E", "F"}, "EF"},
  };
  for (const Case& c : cases) {
    p.BiaoDanHTML = c.text;
    p.template_parts.reset();
    pass(c.pattern, c.values);
    EXPECT_EQ(html(), c.filled) << c.text;
  }
}

// A later pass reads the template's text between the values, never across one, and numbers its
// matches by their characters in the whole text.
TEST_F(TemplateTextTest, ALaterPassSeesNeitherTheValuesNorPlaceholdersAcrossThem) {
  p.BiaoDanHTML = "中$1:t$|{1:a}|{%2%}\n{%{2:b}3%}|{3:c}{%4%}";
  pass("\\$.*?:.*?\\$", {"<td value='{1:a}{%2%}'>"});
  pass(kField, {"{%2%}", "{%", "甲乙"});
  ASSERT_EQ(html(), "中<td value='{1:a}{%2%}'>|{%2%}|{%2%}\n{%3%}|甲乙{%4%}");
  pass(kReference, {"R2", "R4"});
  EXPECT_EQ(html(), "中<td value='{1:a}{%2%}'>|{%2%}|R2\n{%3%}|甲乙R4");
  const auto& found = matches.as<platform::regexp::Matches>();
  ASSERT_EQ(found.Count(), 2);
  EXPECT_EQ(found.Item(1)->FirstIndex, 45);  // 中 and 甲乙 count a character each
}

// Two passes against an oracle that keeps the text as pieces (the template's, and values) and
// matches with another engine, over random templates rich in the characters that matter.
struct Piece {
  std::string text;
  bool template_own;
};

// Fills the matches of `re` in the template's pieces: match i (counted over all pieces) takes
// values[i % size] at every match still showing its text, unless it is "#skip".
std::vector<Piece> oracle_pass(const std::vector<Piece>& pieces, const std::regex& re,
                               const std::vector<std::string>& values) {
  struct Hit {
    std::size_t piece, at;
    std::string text;
    const std::string* value = nullptr;
  };
  std::vector<Hit> hits;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (!pieces[k].template_own) continue;
    const std::string& t = pieces[k].text;
    for (auto it = std::sregex_iterator(t.begin(), t.end(), re); it != std::sregex_iterator();
         ++it) {
      hits.push_back({k, static_cast<std::size_t>(it->position()), it->str()});
    }
  }
  for (std::size_t i = 0; i < hits.size(); ++i) {
    const std::string& value = values[i % values.size()];
    if (value == "#skip" || hits[i].value) continue;
    for (Hit& twin : hits) {
      if (!twin.value && twin.text == hits[i].text) twin.value = &value;
    }
  }
  std::vector<Piece> out;
  std::size_t next = 0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    std::size_t from = 0;
    for (; next < hits.size() && hits[next].piece == k; ++next) {
      if (!hits[next].value) continue;
      out.push_back({pieces[k].text.substr(from, hits[next].at - from), true});
      out.push_back({*hits[next].value, false});
      from = hits[next].at + hits[next].text.size();
    }
    out.push_back({pieces[k].text.substr(from), pieces[k].template_own});
  }
  return out;
}

std::string joined(const std::vector<Piece>& pieces) {
  std::string out;
  for (const Piece& piece : pieces) out += piece.text;
  return out;
}

TEST_F(TemplateTextTest, AgreesWithAnOracleOfPiecesOnRandomTemplates) {
  const std::regex field("\\{[^\\n]*?:[^\\n]*?\\}"), reference("\\{%[^\\n]*?%\\}");
  std::mt19937 random(20110902);
  const std::string alphabet = "{}:%12a\n";
  const auto draw = [&](int length) {
    std::string s;
    for (int i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 2000; ++round) {
    const std::string text = draw(static_cast<int>(random() % 40));
    std::vector<std::string> first, second;
    for (int i = 0; i < 4; ++i) {
      first.push_back(random() % 5 == 0 ? "#skip" : draw(random() % 6));
      second.push_back(random() % 5 == 0 ? "#skip" : draw(random() % 6));
    }
    const std::vector<Piece> once = oracle_pass({{text, true}}, field, first);
    p.BiaoDanHTML = text;
    p.template_parts.reset();
    pass(kField, first);
    ASSERT_EQ(html(), joined(once)) << text;
    pass(kReference, second);
    EXPECT_EQ(html(), joined(oracle_pass(once, reference, second))) << text;
  }
}

}  // namespace
}  // namespace page
