// PlaceholderText must leave exactly the text that one whole-text Replace per placeholder
// would, whether it takes its shortcut or falls back.
#include "page/fields/placeholder_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "vb/variant.h"

namespace page {
namespace {

struct Filled {
  std::string text;
  bool fell_back;
};

// Fills placeholder i with values[i] (skipping "#skip"), both ways.
Filled fill_both(const std::string& text, const char* pattern,
                 const std::vector<std::string>& values, std::string* expected) {
  vb::Variant regex, matches;
  const std::vector<std::string> found = find_placeholders(pattern, text, regex, matches);
  const bool references = std::string(pattern) == "{%.*?%}";
  PlaceholderText fast(text, references ? "{%" : "{",
                       references ? measure_value_reference : measure_field_placeholder, found);
  std::string slow = text;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const std::string& value = values[i % values.size()];
    if (value == "#skip") continue;
    fast.fill(i, value);
    std::string next;
    std::size_t from = 0;
    for (std::size_t at = slow.find(found[i]); at != std::string::npos;
         at = slow.find(found[i], from)) {
      next += slow.substr(from, at - from) + value;
      from = at + found[i].size();
    }
    slow = next + slow.substr(from);
  }
  *expected = slow;
  return {fast.text(), fast.fell_back()};
}

TEST(PlaceholderText, MatchesWholeTextReplaceInEveryCase) {
  const char* const kField = "{.*?:.*?}";
  const char* const kReference = "{%.*?%}";
  struct Case {
    const char* pattern;
    const char* text;
    std::vector<std::string> values;
    bool falls_back;
  } cases[] = {
      {kField, "a{1:x}b{2:y}c", {"<1>", "<2>"}, false},
      {kField, "{1:x}{1:x}|{1:x}", {"A", "B", "C"}, false},       // the first fill takes all
      {kField, "{1:x}|{9:y}|{1:x}", {"#skip", "N", "Z"}, false},  // left, then filled by a twin
      {kField, "{1:a}{2:b}", {"{2:b}", "Q"}, true},   // a value holds a later placeholder
      {kField, "{1:a}{2:b}", {"{1:a}", "Q"}, false},  // ... an earlier one stays
      {kField, "{1:a}:z}{2:b}", {"{2", "Q"}, true},   // a value that may run on
      {kField, "{a{1:x}|{1:x}", {"A", "B"}, true},    // a placeholder holding an opening
      {kField, "{1:x}\n{2:y}", {"{\n", "Q"}, false},  // an opening cut by its line
      {kField, "{1:a}{2:b}", {"CKEDITOR.replace('zd1',{toolbar: 'myBasic'});", "Q"}, false},
      {kReference, "{%1%}+{%1%}={%2%}", {"3", "x", "6"}, false},
      {kReference, "{%1%}{%2%}", {"{%2%}", "Q"}, true},
      {kReference, "{%1%}%}{%2%}", {"{", "Q"}, true},  // "{" then "%}" would open a reference
      {kReference, "{%%}{%{%1%}", {"E", "F"}, true},
  };
  for (const Case& c : cases) {
    std::string expected;
    const Filled run = fill_both(c.text, c.pattern, c.values, &expected);
    EXPECT_EQ(run.text, expected) << c.text;
    EXPECT_EQ(run.fell_back, c.falls_back) << c.text;
  }
}

// Random templates and values over a small alphabet rich in the characters that matter.
TEST(PlaceholderText, AgreesWithWholeTextReplaceOnRandomTemplates) {
  std::mt19937 random(20110902);
  const std::string alphabet = "{}:%12a\n";
  auto draw = [&](int length) {
    std::string s;
    for (int i = 0; i < length; ++i) s += alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string text = draw(static_cast<int>(random() % 40));
    std::vector<std::string> values;
    for (int i = 0; i < 4; ++i) values.push_back(random() % 5 == 0 ? "#skip" : draw(random() % 6));
    for (const char* pattern : {"{.*?:.*?}", "{%.*?%}"}) {
      std::string expected;
      EXPECT_EQ(fill_both(text, pattern, values, &expected).text, expected)
          << pattern << " on " << text;
    }
  }
}

}  // namespace
}  // namespace page
