// The form template while its placeholders are filled.
#include "page/fields/placeholder_text.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/regexp/regexp.h"

namespace page {
namespace {

void replace_all(std::string& text, const std::string& find, const std::string& replacement) {
  if (find.empty() || text.find(find) == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
    out.append(text, from, at - from);
    out += replacement;
    from = at + find.size();
  }
  out.append(text, from, std::string::npos);
  text = std::move(out);
}

// The first `wanted` character from `from` on the same line; sets line_ended when a line feed
// comes first.
std::size_t find_on_line(std::string_view text, std::size_t from, char wanted, bool& line_ended) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\n') {
      line_ended = true;
      return i;
    }
    if (text[i] == wanted) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::vector<std::string> find_placeholders(const char* pattern, const vb::Variant& text,
                                           vb::Variant& regex, vb::Variant& matches) {
  auto expression = std::make_shared<platform::regexp::RegExp>();
  expression->IgnoreCase = true;
  expression->MultiLine = true;
  expression->Global = true;
  expression->Pattern = pattern;
  regex = expression;
  auto found = expression->Execute(text);
  matches = found;
  std::vector<std::string> texts;
  for (const auto& match : *found) texts.push_back(match->Value);
  return texts;
}

std::size_t measure_field_placeholder(std::string_view text, std::size_t at) {
  bool line_ended = false;
  const std::size_t colon = find_on_line(text, at + 1, ':', line_ended);
  if (line_ended) return 0;
  if (colon == std::string_view::npos) return std::string_view::npos;
  const std::size_t brace = find_on_line(text, colon + 1, '}', line_ended);
  if (line_ended) return 0;
  if (brace == std::string_view::npos) return std::string_view::npos;
  return brace - at + 1;
}

std::size_t measure_value_reference(std::string_view text, std::size_t at) {
  for (std::size_t i = at + 2; i < text.size(); ++i) {
    if (text[i] == '\n') return 0;
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '}') return i + 2 - at;
  }
  return std::string_view::npos;
}

PlaceholderText::PlaceholderText(std::string text, std::string_view opening, Measure measure,
                                 const std::vector<std::string>& found)
    : template_(std::move(text)), opening_(opening), measure_(std::move(measure)), found_(found) {
  std::size_t end = 0;
  bool plain = true;
  for (std::size_t i = 0; i < found_.size() && plain; ++i) {
    const std::string& placeholder = found_[i];
    const std::size_t at =
        placeholder.empty() ? std::string::npos : template_.find(placeholder, end);
    // A placeholder that holds another opening may hide a second occurrence inside itself.
    plain = at != std::string::npos && placeholder.find(opening_, 1) == std::string::npos;
    if (!plain) break;
    pieces_.push_back({end, at - end});
    pieces_.push_back({at, placeholder.size()});
    open_[found_[i]].push_back(pieces_.size() - 1);
    last_[found_[i]] = i;
    end = at + placeholder.size();
  }
  pieces_.push_back({end, template_.size() - end});
  longest_after_.assign(found_.size() + 1, 0);
  for (std::size_t i = found_.size(); i-- > 0;) {
    longest_after_[i] = std::max(longest_after_[i + 1], found_[i].size());
  }
  if (!plain) fall_back();
}

void PlaceholderText::fill(std::size_t i, const std::string& value) {
  if (!fell_back_ && value_may_hold_later_placeholder(i, value)) fall_back();
  if (fell_back_) {
    replace_all(whole_, found_[i], value);
    return;
  }
  const auto pending = open_.find(found_[i]);
  if (pending == open_.end()) return;
  values_.push_back(value);
  for (const std::size_t piece : pending->second)
    pieces_[piece].value = static_cast<long>(values_.size() - 1);
  open_.erase(pending);
}

// A later placeholder's text could only turn up inside this value, or begin in it and run on
// into what follows it.
bool PlaceholderText::value_may_hold_later_placeholder(std::size_t i,
                                                       const std::string& value) const {
  const std::size_t longest = i + 1 < longest_after_.size() ? longest_after_[i + 1] : 0;
  if (longest == 0) return false;
  const std::string_view whole(value);
  for (std::size_t at = whole.find(opening_); at != std::string_view::npos;
       at = whole.find(opening_, at + 1)) {
    const std::string_view window = whole.substr(at, longest);
    const std::size_t length = measure_(window, 0);
    if (length == std::string_view::npos) {
      if (at + window.size() == whole.size()) return true;  // may close after the value
      continue;                                             // longer than any placeholder
    }
    if (length == 0) continue;
    const auto later = last_.find(window.substr(0, length));
    if (later != last_.end() && later->second > i) return true;
  }
  for (std::size_t k = 1; k < opening_.size(); ++k) {
    if (whole.ends_with(std::string_view(opening_).substr(0, k))) return true;
  }
  return false;
}

void PlaceholderText::fall_back() {
  whole_ = text();
  fell_back_ = true;
  pieces_.clear();
  values_.clear();
  open_.clear();
}

std::string PlaceholderText::text() const {
  if (fell_back_) return whole_;
  std::size_t size = 0;
  for (const Piece& piece : pieces_) {
    size += piece.value < 0 ? piece.length : values_[piece.value].size();
  }
  std::string out;
  out.reserve(size);
  for (const Piece& piece : pieces_) {
    if (piece.value < 0) {
      out.append(template_, piece.from, piece.length);
    } else {
      out += values_[piece.value];
    }
  }
  return out;
}

}  // namespace page
