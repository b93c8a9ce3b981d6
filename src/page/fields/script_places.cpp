// Where a point of a script stands: the strings, templates, comments and regular expressions of
// JavaScript, the strings and comments of VBScript.
#include "page/fields/script_places.h"

#include <cctype>
#include <string>
#include <vector>

namespace page {
namespace {

using Inside = ReferencePlace::Inside;

bool word_char(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || std::isalnum(u) || c == '_' || c == '$' || c == kValueMark;
}

bool line_end(char c) { return c == '\n' || c == '\r'; }

// Words after which a "/" begins a regular expression rather than a division.
bool before_expression(std::string_view word) {
  for (const char* w : {"return", "typeof", "instanceof", "in", "of", "new", "delete", "void",
                        "throw", "case", "do", "else", "yield", "await"}) {
    if (word == w) return true;
  }
  return false;
}

}  // namespace

Inside js_place(std::string_view script) {
  enum class In { kCode, kString, kTemplate, kLineComment, kBlockComment, kRegex, kClass };
  In in = In::kCode;
  char quote = '"';
  bool regex_may_start = true;
  std::vector<int> braces;  // per open "${" of a template: the braces open inside it
  const auto next_is = [&](std::size_t i, std::string_view text) {
    return script.substr(i + 1, text.size()) == text;
  };
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    switch (in) {
      case In::kCode:
        if (c == '"' || c == '\'') {
          quote = c;
          in = In::kString;
        } else if (c == '`') {
          in = In::kTemplate;
        } else if (c == '/' && (next_is(i, "/") || next_is(i, "*"))) {
          in = script[++i] == '/' ? In::kLineComment : In::kBlockComment;
        } else if (c == '/' && regex_may_start) {
          in = In::kRegex;
        } else if (c == '<' && next_is(i, "!--")) {
          in = In::kLineComment;  // an HTML comment opening hides its line from the engine
        } else if (word_char(c)) {
          std::size_t end = i;
          while (end < script.size() && word_char(script[end])) ++end;
          regex_may_start = before_expression(script.substr(i, end - i));
          i = end - 1;
        } else if (c == '}' && !braces.empty() && braces.back() == 0) {
          braces.pop_back();
          in = In::kTemplate;
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
          if (c == '{' && !braces.empty()) ++braces.back();
          if (c == '}' && !braces.empty()) --braces.back();
          regex_may_start = c != ')' && c != ']';
        }
        break;
      case In::kString:
        if (c == '\\') {
          ++i;
        } else if (c == quote || line_end(c)) {
          in = In::kCode;
          regex_may_start = false;
        }
        break;
      case In::kTemplate:
        if (c == '\\') {
          ++i;
        } else if (c == '`') {
          in = In::kCode;
          regex_may_start = false;
        } else if (c == '$' && next_is(i, "{")) {
          ++i;
          braces.push_back(0);
          in = In::kCode;
          regex_may_start = true;
        }
        break;
      case In::kLineComment:
        if (line_end(c)) in = In::kCode;
        break;
      case In::kBlockComment:
        if (c == '*' && next_is(i, "/")) {
          ++i;
          in = In::kCode;
        }
        break;
      case In::kRegex:
      case In::kClass:
        if (c == '\\') {
          ++i;
        } else if (line_end(c) || (in == In::kRegex && c == '/')) {
          in = In::kCode;
          regex_may_start = false;
        } else if (c == '[' || c == ']') {
          in = c == '[' ? In::kClass : In::kRegex;
        }
        break;
    }
  }
  if (in == In::kString) return Inside::kJsString;
  return in == In::kTemplate ? Inside::kJsTemplate : Inside::kJsCode;
}

Inside vbs_place(std::string_view script) {
  bool in_string = false, in_comment = false, statement_start = true;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (in_comment) {
      in_comment = !line_end(c);
      statement_start = !in_comment;
    } else if (in_string) {
      // "" is a quote inside the string.
      if (c == '"' && i + 1 < script.size() && script[i + 1] == '"') {
        ++i;
      } else if (c == '"' || line_end(c)) {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
      statement_start = false;
    } else if (c == '\'' || (statement_start && (c == 'r' || c == 'R') && script.size() > i + 3 &&
                             (script.substr(i, 3) == "rem" || script.substr(i, 3) == "Rem" ||
                              script.substr(i, 3) == "REM") &&
                             std::isspace(static_cast<unsigned char>(script[i + 3])))) {
      in_comment = true;
    } else if (line_end(c) || c == ':') {
      statement_start = true;
    } else if (!std::isspace(static_cast<unsigned char>(c))) {
      statement_start = false;
    }
  }
  return in_string ? Inside::kVbsString : Inside::kVbsCode;
}

}  // namespace page
