// Builds the existence query of a single-table delete from its tokens.
#include "platform/ado/delete_probe.h"

#include <vector>

#include "platform/ado/ascii.h"
#include "platform/ado/sql_tokens.h"

namespace platform::ado {
namespace {

bool is_word(const Token& t, std::string_view word) {
  return t.kind == TokenKind::Word && ascii_iequals(t.text, word);
}

bool is_name(const Token& t) {
  return t.kind == TokenKind::Word || t.kind == TokenKind::QuotedName ||
         t.kind == TokenKind::BracketName;
}

}  // namespace

std::string delete_probe(std::string_view sql) {
  const std::vector<Token> all = tokenize_sql(sql);
  std::vector<const Token*> tokens;
  for (const Token& t : all) {
    if (significant(t)) tokens.push_back(&t);
  }
  while (!tokens.empty() && tokens.back()->kind == TokenKind::Symbol && tokens.back()->text == ";") {
    tokens.pop_back();
  }
  if (tokens.size() < 3 || !is_word(*tokens[0], "delete") || !is_word(*tokens[1], "from")) {
    return "";
  }
  // The table: name, or owner.name.
  std::size_t at = 2;
  if (!is_name(*tokens[at])) return "";
  while (at + 2 < tokens.size() && tokens[at + 1]->kind == TokenKind::Symbol &&
         tokens[at + 1]->text == "." && is_name(*tokens[at + 2])) {
    at += 2;
  }
  const char* table_begin = tokens[2]->text.data();
  const char* table_end = tokens[at]->text.data() + tokens[at]->text.size();
  ++at;
  if (at < tokens.size() && !is_word(*tokens[at], "where")) return "";
  for (std::size_t i = at; i < tokens.size(); ++i) {
    const Token& t = *tokens[i];
    if (is_word(t, "returning") || is_word(t, "order") || is_word(t, "limit") ||
        (t.kind == TokenKind::Symbol && t.text == ";")) {
      return "";
    }
  }
  std::string probe = "SELECT 1 FROM ";
  probe.append(table_begin, table_end);
  if (at < tokens.size()) {
    const char* where_begin = tokens[at]->text.data();
    const char* where_end = tokens.back()->text.data() + tokens.back()->text.size();
    probe += ' ';
    probe.append(where_begin, where_end);
  }
  probe += " LIMIT 1";
  return probe;
}

}  // namespace platform::ado
