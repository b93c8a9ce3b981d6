// Pattern rewriting from the script engine's syntax to PCRE2's.
#include "platform/regexp/script_syntax.h"

namespace platform::regexp {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Length of the {n}, {n,} or {n,m} quantifier at the start of s, 0 when s does not start one.
std::size_t quantifier_length(std::string_view s) {
  std::size_t i = 1;
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < s.size() && is_digit(s[i])) ++i;
    return i > from;
  };
  if (!digits()) return 0;
  if (i < s.size() && s[i] == ',') {
    ++i;
    digits();
  }
  return (i < s.size() && s[i] == '}') ? i + 1 : 0;
}

class Translator {
 public:
  Translator(std::string_view pattern, bool multi_line) : p_(pattern), multi_line_(multi_line) {}

  std::optional<std::string> run() {
    while (i_ < p_.size()) {
      if (!step()) return std::nullopt;
    }
    return std::move(out_);
  }

 private:
  bool step() {
    const char c = p_[i_];
    switch (c) {
      case '\\':
        return escape(false);
      case '[':
        return char_class();
      case '(':
        return group();
      case '*':
      case '+':
      case '?':
        out_ += c;
        ++i_;
        return after_quantifier();
      case '{': {
        const std::size_t n = quantifier_length(p_.substr(i_));
        if (n == 0) {
          out_ += "\\{";
          ++i_;
          return true;
        }
        out_.append(p_.substr(i_, n));
        i_ += n;
        return after_quantifier();
      }
      case '}':
        out_ += "\\}";
        break;
      case '^':
        out_ += multi_line_ ? "(?<![^\\n\\r])" : "^";
        break;
      case '$':
        out_ += multi_line_ ? "(?![^\\n\\r])" : "\\z";
        break;
      default:
        out_ += c;
    }
    ++i_;
    return true;
  }

  // A lazy mark may follow a quantifier; a possessive + may not.
  bool after_quantifier() {
    if (i_ < p_.size() && p_[i_] == '?') {
      out_ += '?';
      ++i_;
    }
    return !(i_ < p_.size() && p_[i_] == '+');
  }

  bool escape(bool in_class) {
    if (i_ + 1 >= p_.size()) return false;
    const char c = p_[i_ + 1];
    i_ += 2;
    if (c == 'v') {
      out_ += "\\x0B";
    } else if (c == 'c' && i_ < p_.size() && is_letter(p_[i_])) {
      out_ += "\\c";
      out_ += p_[i_++];
    } else if (c == 'c') {
      out_ += "\\\\c";
    } else if (is_digit(c) ||
               (std::string_view("dDwWsSfnrtxub").find(c) != std::string_view::npos) ||
               (c == 'B' && !in_class)) {
      out_ += '\\';
      out_ += c;
    } else if (is_letter(c)) {
      out_ += c;  // no meaning of its own: the letter itself
    } else {
      out_ += '\\';
      out_ += c;
    }
    return true;
  }

  bool char_class() {
    out_ += '[';
    ++i_;
    if (i_ < p_.size() && p_[i_] == '^') {
      out_ += '^';
      ++i_;
    }
    while (i_ < p_.size()) {
      const char c = p_[i_];
      if (c == ']') {
        out_ += ']';
        ++i_;
        return true;
      }
      if (c == '\\') {
        if (!escape(true)) return false;
        continue;
      }
      if (c == '[') out_ += '\\';
      out_ += c;
      ++i_;
    }
    return false;
  }

  bool group() {
    const std::string_view rest = p_.substr(i_);
    for (const auto& [any_char, rewrite] : kAnyCharRepeats) {
      if (rest.starts_with(any_char)) {
        out_ += rewrite;
        i_ += any_char.size();
        return !(i_ < p_.size() && p_[i_] == '+');
      }
    }
    if (rest.size() >= 2 && rest[1] == '?') {
      if (rest.size() < 3 || std::string_view(":=!").find(rest[2]) == std::string_view::npos) {
        return false;
      }
      out_.append(rest.substr(0, 3));
      i_ += 3;
      return true;
    }
    out_ += '(';
    ++i_;
    return true;
  }

  // "Any character, repeated": one capture or none, the same matches tried in the same order.
  static constexpr std::pair<std::string_view, std::string_view> kAnyCharRepeats[] = {
      {"(.|\\n)*?", "(?:[\\s\\S]*?([\\s\\S]))??"},
      {"(.|\\n)*", "(?:[\\s\\S]*([\\s\\S]))?"},
      {"(?:.|\\n)*?", "[\\s\\S]*?"},
      {"(?:.|\\n)*", "[\\s\\S]*"},
  };

  std::string_view p_;
  bool multi_line_;
  std::size_t i_ = 0;
  std::string out_;
};

}  // namespace

std::optional<std::string> to_pcre2(std::string_view pattern, bool multi_line) {
  return Translator(pattern, multi_line).run();
}

}  // namespace platform::regexp
