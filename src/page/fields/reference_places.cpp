// Where a value reference stands in the designer's markup: the HTML tokenizer's states, as far
// as they decide how a value must be written, and the value written for each.
#include "page/fields/reference_places.h"

#include <algorithm>
#include <cctype>

#include "library/escape.h"
#include "page/fields/script_places.h"
#include "vb/ascii.h"
#include "vb/builtins.h"

namespace page {
namespace {

using Inside = ReferencePlace::Inside;
using vb::ascii_iequals;
using vb::ascii_lower;
using vb::ascii_lowered;
using Markup = ReferencePlace::Markup;

enum class State {
  kData,
  kTagOpen,
  kEndTagOpen,
  kTagName,
  kBeforeName,
  kName,
  kAfterName,
  kBeforeValue,
  kQuoted,
  kUnquoted,
  kComment,
  kBogusComment,
  kRawText
};

bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool alpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool one_of(const std::string& name, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// Elements whose text the tokenizer reads up to their end tag only.
bool raw_text_element(const std::string& name) {
  return one_of(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed",
                       "noframes", "noscript", "plaintext"});
}

// Attributes that hold an address the browser loads or follows.
bool address_attribute(const std::string& name) {
  return one_of(name, {"href", "src", "action", "formaction", "background", "lowsrc", "dynsrc",
                       "data", "codebase", "poster", "xlink:href"});
}

// The attribute value as the browser hands it on: the character references that can stand for
// a quote, a colon or a letter decoded (numeric ones of ASCII characters, and the named ones of
// the markup characters); references earlier in it dropped (`keep_values` false) or kept as
// value marks.
std::string decoded(const std::string& value, bool keep_values) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == kValueMark && !keep_values) continue;
    if (value[i] != '&') {
      out += value[i];
      continue;
    }
    const std::size_t end = value.find(';', i);
    const std::string name =
        end == std::string::npos ? "" : ascii_lowered(value.substr(i + 1, end - i - 1));
    long code = -1;
    if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const std::string digits = name.substr(hex ? 2 : 1);
      if (!digits.empty() && digits.size() < 8 &&
          std::all_of(digits.begin(), digits.end(), [&](char c) {
            return hex ? std::isxdigit(static_cast<unsigned char>(c))
                       : std::isdigit(static_cast<unsigned char>(c));
          })) {
        code = std::stol(digits, nullptr, hex ? 16 : 10);
      }
    }
    const struct {
      const char* name;
      char c;
    } named[] = {{"quot", '"'}, {"apos", '\''}, {"amp", '&'}, {"lt", '<'}, {"gt", '>'}};
    for (const auto& n : named) {
      if (name == n.name) code = n.c;
    }
    if (code > 0 && code < 0x80) {
      out += static_cast<char>(code);
      i = end;
    } else {
      out += '&';
    }
  }
  return out;
}

std::string percent_decoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The place inside an address attribute whose text before the reference is `value`.
void place_in_address(const std::string& value, ReferencePlace& place) {
  // As the URL parser reads it: tabs and line breaks dropped, leading blanks skipped.
  std::string address;
  for (char c : decoded(value, true)) {
    if (c != '\t' && c != '\n' && c != '\r') address += c;
  }
  std::size_t start = 0;
  while (start < address.size() && static_cast<unsigned char>(address[start]) <= ' ' &&
         address[start] != kValueMark) {
    ++start;
  }
  address.erase(0, start);
  if (ascii_iequals(std::string_view(address).substr(0, 11), "javascript:")) {
    place.script_address = true;
    place.inside = js_place(percent_decoded(address.substr(11)));
  } else if (address.find('#') != std::string::npos) {
    place.inside = Inside::kText;  // nothing in a fragment is read as the address's parts
  } else if (address.find('?') != std::string::npos) {
    place.inside = Inside::kAddressQuery;
  } else {
    place.inside = address.find_first_of(":/\\") != std::string::npos ? Inside::kAddressPath
                                                                      : Inside::kAddressStart;
    std::erase(address, kValueMark);
    place.address = address;
  }
}

// A value in an address's path, kept there: it starts no query or fragment, and it turns no
// "/" the designer wrote into the "//" that names another host.
std::string path_value(const std::string& address, const std::string& text) {
  std::string out;
  const bool after_root = address == "/" || address == "\\";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '?') {
      out += "%3F";
    } else if (c == '#') {
      out += "%23";
    } else if (i == 0 && after_root && (c == '/' || c == '\\')) {
      out += c == '/' ? "%2F" : "%5C";
    } else {
      out += c;
    }
  }
  return out;
}

// Reads the markup from its start on, reference by reference.
class MarkupReader {
 public:
  explicit MarkupReader(std::string_view html) : html_(html) {}

  ReferencePlace place_of(const ReferenceSpan& reference) {
    while (at_ < reference.from && at_ < html_.size()) step(html_[at_++]);
    ReferencePlace place = place_here();
    take_value();
    at_ = reference.from + reference.size;
    return place;
  }

 private:
  ReferencePlace place_here() const {
    ReferencePlace place;
    switch (state_) {
      case State::kTagName:
      case State::kBeforeName:
      case State::kName:
      case State::kAfterName:
        place.markup = Markup::kTag;
        break;
      case State::kBeforeValue:
      case State::kQuoted:
      case State::kUnquoted:
        place.markup =
            state_ == State::kQuoted ? Markup::kQuotedAttribute : Markup::kUnquotedAttribute;
        if (name_.starts_with("on")) {
          place.inside = js_place(decoded(value_, true));
        } else if (name_ == "srcdoc") {
          place.inside = Inside::kMarkup;
        } else if (address_attribute(name_)) {
          place_in_address(value_, place);
        }
        break;
      case State::kRawText:
        if (raw_end_ == "script") {
          place.markup = Markup::kScript;
          place.inside = vbscript_ ? vbs_place(raw_text_) : js_place(raw_text_);
        }
        break;
      default:
        break;  // text, a comment, or "<" that opens no tag
    }
    return place;
  }

  // A reference read as the value it stands for: one mark in a value or a script, one more
  // character of a name; "<" or "</" before it opens no tag.
  void take_value() {
    switch (state_) {
      case State::kTagOpen:
        state_ = State::kData;
        break;
      case State::kEndTagOpen:
        state_ = State::kBogusComment;
        break;
      case State::kBeforeName:
      case State::kAfterName:
        end_attribute();
        name_ = std::string(1, kValueMark);
        state_ = State::kName;
        break;
      case State::kBeforeValue:
        state_ = State::kUnquoted;
        value_ += kValueMark;
        break;
      case State::kQuoted:
      case State::kUnquoted:
        value_ += kValueMark;
        break;
      case State::kRawText:
        raw_text_ += kValueMark;
        break;
      default:
        break;
    }
  }

  void step(char c) {
    switch (state_) {
      case State::kData:
        if (c == '<') state_ = State::kTagOpen;
        break;
      case State::kTagOpen:
        if (c == '!') {
          state_ = html_.substr(at_, 2) == "--" ? State::kComment : State::kBogusComment;
          if (state_ == State::kComment) at_ += 2;
        } else if (c == '/') {
          state_ = State::kEndTagOpen;
        } else if (alpha(c)) {
          start_tag(c, false);
        } else if (c == '?') {
          state_ = State::kBogusComment;
        } else {
          state_ = c == '<' ? State::kTagOpen : State::kData;
        }
        break;
      case State::kEndTagOpen:
        if (alpha(c)) {
          start_tag(c, true);
        } else {
          state_ = c == '>' ? State::kData : State::kBogusComment;
        }
        break;
      case State::kTagName:
        if (blank(c) || c == '/') {
          state_ = State::kBeforeName;
        } else if (c == '>') {
          end_tag();
        } else {
          tag_ += ascii_lower(c);
        }
        break;
      case State::kBeforeName:
        if (c == '>') {
          end_tag();
        } else if (!blank(c) && c != '/') {
          name_ = std::string(1, ascii_lower(c));
          state_ = State::kName;
        }
        break;
      case State::kName:
      case State::kAfterName:
        if (c == '=') {
          state_ = State::kBeforeValue;
        } else if (c == '>') {
          end_attribute();
          end_tag();
        } else if (c == '/') {
          end_attribute();
          state_ = State::kBeforeName;
        } else if (blank(c)) {
          state_ = State::kAfterName;
        } else if (state_ == State::kName) {
          name_ += ascii_lower(c);
        } else {
          end_attribute();
          name_ = std::string(1, ascii_lower(c));
          state_ = State::kName;
        }
        break;
      case State::kBeforeValue:
        if (c == '"' || c == '\'') {
          quote_ = c;
          state_ = State::kQuoted;
        } else if (c == '>') {
          end_attribute();
          end_tag();
        } else if (!blank(c)) {
          value_ += c;
          state_ = State::kUnquoted;
        }
        break;
      case State::kQuoted:
        if (c == quote_) {
          end_attribute();
          state_ = State::kBeforeName;
        } else {
          value_ += c;
        }
        break;
      case State::kUnquoted:
        if (blank(c) || c == '>') {
          end_attribute();
          if (c == '>') {
            end_tag();
          } else {
            state_ = State::kBeforeName;
          }
        } else {
          value_ += c;
        }
        break;
      case State::kComment:
        // "-->", "--!>", and the "<!-->" and "<!--->" that end at once.
        if (c == '>' && at_ >= 3 &&
            (html_.substr(at_ - 3, 2) == "--" || (at_ >= 4 && html_.substr(at_ - 4, 3) == "--!"))) {
          state_ = State::kData;
        }
        break;
      case State::kBogusComment:
        if (c == '>') state_ = State::kData;
        break;
      case State::kRawText:
        if (c == '<' && raw_end_ != "plaintext" && ends_raw_text()) {
          state_ = State::kTagOpen;
        } else if (raw_end_ == "script") {
          raw_text_ += c;
        }
        break;
    }
  }

  void start_tag(char c, bool end) {
    tag_ = std::string(1, ascii_lower(c));
    end_ = end;
    vbscript_ = false;
    name_.clear();
    value_.clear();
    state_ = State::kTagName;
  }

  void end_attribute() {
    if (tag_ == "script" && (name_ == "language" || name_ == "type") &&
        ascii_lowered(value_).find("vbscript") != std::string::npos) {
      vbscript_ = true;
    }
    name_.clear();
    value_.clear();
  }

  void end_tag() {
    state_ = State::kData;
    if (end_ || !raw_text_element(tag_)) return;
    state_ = State::kRawText;
    raw_end_ = tag_;
    raw_text_.clear();
  }

  // Whether the "<" just read opens the end tag of the raw text element.
  bool ends_raw_text() const {
    const std::string_view rest = html_.substr(at_);
    if (rest.size() < raw_end_.size() + 2 || rest[0] != '/' ||
        !ascii_iequals(rest.substr(1, raw_end_.size()), raw_end_)) {
      return false;
    }
    const char after = rest[raw_end_.size() + 1];
    return blank(after) || after == '/' || after == '>';
  }

  std::string_view html_;
  std::size_t at_ = 0;
  State state_ = State::kData;
  std::string tag_;  // the tag being read, lower case
  bool end_ = false;
  bool vbscript_ = false;  // a script tag of VBScript
  std::string name_;       // the attribute being read, lower case
  std::string value_;      // its value so far
  char quote_ = '"';
  std::string raw_end_;   // the element whose raw text is being read
  std::string raw_text_;  // the script so far
};

std::string attribute_text(Markup markup, const std::string& text) {
  switch (markup) {
    case Markup::kQuotedAttribute:
      return library::html_attribute(text);
    case Markup::kUnquotedAttribute:
      return library::html_unquoted_attribute(text);
    default:
      return text;
  }
}

}  // namespace

std::vector<ReferencePlace> reference_places(std::string_view html,
                                             const std::vector<ReferenceSpan>& references) {
  MarkupReader reader(html);
  std::vector<ReferencePlace> places;
  places.reserve(references.size());
  for (const ReferenceSpan& reference : references) places.push_back(reader.place_of(reference));
  return places;
}

std::string written_for(const ReferencePlace& place, const vb::Variant& value) {
  if (place.markup == Markup::kTag) return "";
  if (place.markup == Markup::kText) return library::html_text(value);
  std::string text;
  switch (place.inside) {
    case Inside::kText:
      text = vb::CStr(value & "");
      break;
    case Inside::kMarkup:
      text = library::html_text(value);
      break;
    case Inside::kJsString:
      text = library::js_string(value);
      break;
    case Inside::kJsTemplate:
      text = "${" + library::js_literal(value) + "}";
      break;
    case Inside::kJsCode:
      text = library::js_literal(value);
      break;
    case Inside::kVbsString:
      text = library::vbs_string(value);
      break;
    case Inside::kVbsCode:
      text = "\"" + library::vbs_string(value) + "\"";
      break;
    case Inside::kAddressStart:
      text = vb::CStr(value & "");
      if (!library::link_address_allowed(place.address + text)) text.clear();
      break;
    case Inside::kAddressPath:
      text = path_value(place.address, vb::CStr(value & ""));
      break;
    case Inside::kAddressQuery:
      text = library::url_value(value);
      break;
  }
  if (place.script_address) text = vb::CStr(vb::Replace(text, "%", "%25"));
  return attribute_text(place.markup, text);
}

}  // namespace page
