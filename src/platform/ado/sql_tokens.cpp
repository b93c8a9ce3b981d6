// Splits SQL text into tokens, keeping every byte so that the text can be rebuilt.
#include "platform/ado/sql_tokens.h"

namespace platform::ado {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool starts_word(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || c == '#' ||
         static_cast<unsigned char>(c) >= 0x80;
}
bool continues_word(char c) { return starts_word(c) || is_digit(c) || c == '$'; }

// The end of a quoted run opened at `begin` by `close`'s partner; a doubled `close` stays inside.
std::size_t quoted_end(std::string_view s, std::size_t begin, char close) {
  std::size_t i = begin + 1;
  while (i < s.size()) {
    if (s[i] == close) {
      if (i + 1 < s.size() && s[i + 1] == close) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return s.size();
}

}  // namespace

bool would_join(char last, char first) {
  if (continues_word(last) && continues_word(first)) return true;
  if ((is_digit(last) || last == '.') && (is_digit(first) || first == '.')) return true;
  if (last == first && (last == '\'' || last == '"' || last == '-')) return true;
  return last == '/' && first == '*';
}

std::vector<Token> tokenize_sql(std::string_view s) {
  std::vector<Token> tokens;
  tokenize_sql(s, tokens);
  return tokens;
}

void tokenize_sql(std::string_view s, std::vector<Token>& tokens) {
  tokens.clear();
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    std::size_t end = i + 1;
    TokenKind kind = TokenKind::Symbol;
    if (is_space(c)) {
      kind = TokenKind::Space;
      while (end < s.size() && is_space(s[end])) ++end;
    } else if (c == '\'') {
      kind = TokenKind::String;
      end = quoted_end(s, i, '\'');
    } else if (c == '"') {
      kind = TokenKind::QuotedName;
      end = quoted_end(s, i, '"');
    } else if (c == '[') {
      kind = TokenKind::BracketName;
      end = quoted_end(s, i, ']');
    } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
      kind = TokenKind::Comment;
      end = s.find('\n', i);
      end = end == std::string_view::npos ? s.size() : end;
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      kind = TokenKind::Comment;
      end = s.find("*/", i + 2);
      end = end == std::string_view::npos ? s.size() : end + 2;
    } else if (is_digit(c) || (c == '.' && i + 1 < s.size() && is_digit(s[i + 1]))) {
      kind = TokenKind::Number;
      while (end < s.size() && (is_digit(s[end]) || s[end] == '.')) ++end;
      if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t exp = end + 1;
        if (exp < s.size() && (s[exp] == '+' || s[exp] == '-')) ++exp;
        if (exp < s.size() && is_digit(s[exp])) {
          end = exp;
          while (end < s.size() && is_digit(s[end])) ++end;
        }
      }
    } else if (starts_word(c)) {
      kind = TokenKind::Word;
      while (end < s.size() && continues_word(s[end])) ++end;
    }
    tokens.push_back({kind, s.substr(i, end - i)});
    i = end;
  }
}

}  // namespace platform::ado
