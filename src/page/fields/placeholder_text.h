// The form template while its placeholders are filled: each fill acts as a Replace of every
// occurrence of the placeholder's text over the whole template, in linear time overall.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vb/variant.h"

namespace page {

// The placeholders of one pattern as a regular expression finds them (non-overlapping, left to
// right, never across a line feed), filled one after another. fill(i, r) leaves the text
// exactly as `text = Replace(text, placeholder i, r)` would, binary compare, all occurrences.
//
// Most fills cost the length of r: every occurrence of a placeholder's text is one of the
// placeholders found in the template, unless a placeholder holds another one's opening inside
// it or a filled value holds (or begins) the text of a placeholder still to come. The object
// checks for those cases as it goes and then falls back to whole-text replacement, so the
// result is the same either way. Not shared between threads.
class PlaceholderText {
 public:
  // The length of the shortest placeholder that starts at `at` in `text` (at an opening), or 0
  // when none starts there; npos when the text ends before one could be told apart.
  using Measure = std::function<std::size_t(std::string_view text, std::size_t at)>;

  // `opening` is the text every placeholder begins with; `measure` finds one at a position.
  // `found` are the placeholders' texts in order, as the expression matched them in `text`.
  PlaceholderText(std::string text, std::string_view opening, Measure measure,
                  const std::vector<std::string>& found);

  // Replaces every occurrence of placeholder i's text by `value` (i counts from 0; fills come
  // in increasing order of i, any may be skipped).
  void fill(std::size_t i, const std::string& value);

  // The text as the fills so far have left it.
  std::string text() const;

  // Whether the whole-text fallback is in use (for tests and the benchmark).
  bool fell_back() const { return fell_back_; }

 private:
  struct Piece {
    std::size_t from = 0, length = 0;  // a part of the template, or
    long value = -1;                   // the index of a filled value
  };

  bool value_may_hold_later_placeholder(std::size_t i, const std::string& value) const;
  void fall_back();

  std::string template_;
  std::string opening_;
  Measure measure_;
  std::vector<std::string> found_;
  std::vector<Piece> pieces_;
  std::vector<std::string> values_;
  // Pieces still showing a placeholder's text, by that text; and the last index of each text.
  std::unordered_map<std::string_view, std::vector<std::size_t>> open_;
  std::unordered_map<std::string_view, std::size_t> last_;
  // longest_after_[i]: the longest text among placeholders i and later.
  std::vector<std::size_t> longest_after_;
  bool fell_back_ = false;
  std::string whole_;  // the whole text once fallen back
};

// Runs a regular expression with `pattern` (ignoring case, multi-line, global) over `text` once,
// keeps the expression and its Matches in the page variables `regex` and `matches`, and returns
// the texts of the matches in order.
std::vector<std::string> find_placeholders(const char* pattern, const vb::Variant& text,
                                           vb::Variant& regex, vb::Variant& matches);

// Measures the field placeholder "{" code ":" caption "}": the first ":" after the "{", then
// the first "}" after it, no line feed between.
std::size_t measure_field_placeholder(std::string_view text, std::size_t at);
// Measures the value reference "{%" key "%}": the first "%}" after the "{%", no line feed
// between.
std::size_t measure_value_reference(std::string_view text, std::size_t at);

}  // namespace page
