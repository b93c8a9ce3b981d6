// Fuzzes the T-SQL translation: quoted text comes out byte for byte and in order, and a
// translated statement translates to itself.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/ado/sql_tokens.h"
#include "platform/ado/tsql_dialect.h"

namespace {

using platform::ado::TokenKind;

std::vector<std::string_view> literals(std::string_view sql) {
  std::vector<std::string_view> found;
  for (const auto& token : platform::ado::tokenize_sql(sql)) {
    if (token.kind == TokenKind::String) found.push_back(token.text);
  }
  return found;
}

// True when a quoted run or a block comment is left open at the end: the rest of the text
// belongs to it, and what the translation owes at the end (" limit N") lands inside.
bool left_open(std::string_view sql) {
  const auto tokens = platform::ado::tokenize_sql(sql);
  if (tokens.empty()) return false;
  const auto& last = tokens.back();
  if (last.kind == TokenKind::Comment && last.text.starts_with("--")) return false;
  if (last.kind != TokenKind::String && last.kind != TokenKind::QuotedName &&
      last.kind != TokenKind::BracketName && last.kind != TokenKind::Comment) {
    return false;
  }
  return platform::ado::tokenize_sql(std::string(last.text) + " ").size() == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view sql(fuzz::as_text(data, size));
  std::string joined;
  for (const auto& token : platform::ado::tokenize_sql(sql)) joined += token.text;
  fuzz::require(joined == sql);

  const std::string once = platform::ado::translate_tsql(sql);
  if (left_open(sql)) return 0;

  // Every literal of the statement is a literal of the translation, unchanged and in order;
  // the translation adds only those of datetime('now','localtime').
  const auto before = literals(sql);
  const auto after = literals(once);
  std::size_t next = 0;
  for (std::string_view literal : after) {
    if (next < before.size() && literal == before[next]) {
      ++next;
    } else {
      fuzz::require(literal == "'now'" || literal == "'localtime'");
    }
  }
  fuzz::require(next == before.size());

  fuzz::require(platform::ado::translate_tsql(once) == once);
  return 0;
}
