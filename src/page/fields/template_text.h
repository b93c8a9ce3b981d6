// The form template while the placeholder passes fill it: a pass finds its placeholders only in
// the text the template wrote, so text a pass put in (a table, a control, a value) is never
// searched by a later pass.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "page/page_state.h"
#include "vb/variant.h"

namespace page {

// One pass over `text` (p.BiaoDanHTML, or a text of the designer's) whose own parts are
// `parts` (p.template_parts; unset: all of it). The constructor runs a regular expression with
// `pattern` (which begins with a literal character; ignoring case, multi-line, global) over
// each own part, so no placeholder spans text a pass put in; it keeps the expression and the
// matches of all parts, in order and with their offsets in the whole text, in `regex` and
// `matches`.
//
// fill(i, r) puts r at every match still showing the text of match i (i counts from 0, fills
// come in increasing order, any may be skipped): as a Replace of that text over the template's
// own text would, so a placeholder written twice takes its value at both places, and a skipped
// one is taken by a later twin. finish() writes the text back and keeps in `parts` those still
// its own for the next pass. fill_at(i, r) puts r at match i alone, for a pass that writes each
// match by its place. Cost: the text's length plus the values'.
class TemplateText {
 public:
  TemplateText(vb::Variant& text, std::optional<std::vector<TemplatePart>>& parts,
               const std::string& pattern, vb::Variant& regex, vb::Variant& matches);

  // The texts of the matches, in order.
  const std::vector<std::string>& found() const { return found_; }
  // Where match i starts in the whole text, in bytes.
  std::size_t offset(std::size_t i) const { return positions_[i].from; }

  void fill(std::size_t i, std::string value);
  void fill_at(std::size_t i, std::string value);
  void finish();

 private:
  struct Position {
    std::size_t from = 0;
    long value = -1;  // the index of its value once filled
  };

  vb::Variant& out_;
  std::optional<std::vector<TemplatePart>>& parts_out_;
  std::string text_;
  std::vector<TemplatePart> parts_;
  std::vector<std::string> found_;
  std::vector<Position> positions_;  // one per match
  std::vector<std::string> values_;
  // The matches still showing their text, by that text.
  std::unordered_map<std::string_view, std::vector<std::size_t>> open_;
};

}  // namespace page
