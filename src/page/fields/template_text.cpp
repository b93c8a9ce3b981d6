// The form template while the placeholder passes fill it.
#include "page/fields/template_text.h"

#include <memory>
#include <utility>

#include "platform/regexp/regexp.h"
#include "vb/builtins.h"
#include "vb/utf8.h"

namespace page {

using platform::regexp::Match;

TemplateText::TemplateText(vb::Variant& text, std::optional<std::vector<TemplatePart>>& parts,
                           const std::string& pattern, vb::Variant& regex, vb::Variant& matches)
    : out_(text), parts_out_(parts), text_(vb::CStr(text)) {
  parts_ = parts.value_or(std::vector<TemplatePart>{{0, text_.size()}});
  auto expression = std::make_shared<platform::regexp::RegExp>();
  expression->IgnoreCase = true;
  expression->MultiLine = true;
  expression->Global = true;
  expression->Pattern = pattern;
  regex = expression;

  // Every pattern begins with a literal character (escaped or not): a part without it holds no
  // match, and most parts between filled placeholders are short markup without one.
  const char opening = pattern.size() > 1 && pattern[0] == '\\' ? pattern[1] : pattern[0];
  std::vector<std::shared_ptr<Match>> all;
  std::size_t counted_bytes = 0;  // offsets in characters, counted on from part to part
  long counted_chars = 0;
  for (const TemplatePart& part : parts_) {
    const std::string_view text = std::string_view(text_).substr(part.from, part.to - part.from);
    if (text.find(opening) == std::string_view::npos) continue;
    counted_chars +=
        vb::char_count(std::string_view(text_).substr(counted_bytes, part.from - counted_bytes));
    counted_bytes = part.from;
    // A match is the first occurrence of its text from the end of the match before it: an
    // earlier one would have matched first.
    std::size_t end = 0;
    const auto part_matches = expression->Execute(std::string(text));
    for (const auto& match : *part_matches) {
      const std::size_t at = text.find(match->Value, end);
      end = at + match->Value.size();
      found_.push_back(match->Value);
      positions_.push_back({part.from + at});
      all.push_back(std::make_shared<Match>(match->Value, counted_chars + match->FirstIndex,
                                            match->Length, std::vector<vb::Variant>{}));
    }
  }
  matches = std::make_shared<platform::regexp::Matches>(std::move(all));
  for (std::size_t i = 0; i < found_.size(); ++i) open_[found_[i]].push_back(i);
}

void TemplateText::fill(std::size_t i, std::string value) {
  const auto pending = open_.find(found_[i]);
  if (pending == open_.end()) return;
  values_.push_back(std::move(value));
  for (const std::size_t at : pending->second) {
    positions_[at].value = static_cast<long>(values_.size() - 1);
  }
  open_.erase(pending);
}

void TemplateText::fill_at(std::size_t i, std::string value) {
  values_.push_back(std::move(value));
  positions_[i].value = static_cast<long>(values_.size() - 1);
  const auto pending = open_.find(found_[i]);
  if (pending == open_.end()) return;
  std::erase(pending->second, i);
  if (pending->second.empty()) open_.erase(pending);
}

void TemplateText::finish() {
  std::size_t size = text_.size();
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    if (positions_[i].value >= 0) size += values_[positions_[i].value].size() - found_[i].size();
  }
  std::string out;
  out.reserve(size);
  std::vector<TemplatePart> parts;
  std::size_t copied = 0;  // of text_
  std::size_t next = 0;    // the next position
  // Copies text_ up to `to`, which is a part's own text when `template_own`.
  const auto copy = [&](std::size_t to, bool template_own) {
    if (to <= copied) return;
    if (template_own) parts.push_back({out.size(), out.size() + (to - copied)});
    out.append(text_, copied, to - copied);
    copied = to;
  };
  for (const TemplatePart& part : parts_) {
    copy(part.from, false);
    for (; next < positions_.size() && positions_[next].from < part.to; ++next) {
      const Position& at = positions_[next];
      if (at.value < 0) continue;
      copy(at.from, true);
      out += values_[at.value];
      copied += found_[next].size();
    }
    copy(part.to, true);
  }
  copy(text_.size(), false);
  out_ = std::move(out);
  parts_out_ = std::move(parts);
}

}  // namespace page
