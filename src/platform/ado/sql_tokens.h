// A small SQL tokenizer: enough to rewrite keywords and names without touching quoted text.
#pragma once

#include <string_view>
#include <vector>

namespace platform::ado {

enum class TokenKind {
  Space,        // a run of blanks, tabs and line ends
  Word,         // a keyword or a bare name: letters, digits, _ @ # $ and any non-ASCII byte
  Number,       // digits with an optional fraction and exponent
  String,       // '...' with '' inside, taken as a whole (an unclosed one runs to the end)
  QuotedName,   // "..." with "" inside
  BracketName,  // [...] with ]] inside
  Comment,      // -- to the end of the line, or /* ... */
  Symbol,       // any other single character
};

struct Token {
  TokenKind kind;
  std::string_view text;  // a view into the tokenized SQL text
};

// Splits `sql` into tokens whose texts, joined, give `sql` back unchanged.
std::vector<Token> tokenize_sql(std::string_view sql);
// The same into `tokens`, which is emptied first (its memory is kept).
void tokenize_sql(std::string_view sql, std::vector<Token>& tokens);

// True when text ending in `last` directly followed by text starting with `first` would read
// as different tokens than the two apart: two words or numbers run together ("a" "b"), two
// quoted runs merge ("'a'" "'b'" is one literal holding a quote), or a comment opens ("-" "-").
bool would_join(char last, char first);

// True for a token that carries meaning (not a blank run or a comment).
inline bool significant(const Token& t) {
  return t.kind != TokenKind::Space && t.kind != TokenKind::Comment;
}

}  // namespace platform::ado
