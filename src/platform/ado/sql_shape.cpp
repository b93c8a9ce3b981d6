// Lifts a statement's literals out of its text, clause by clause, where a parameter may stand.
#include "platform/ado/sql_shape.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/ado/ascii.h"

namespace platform::ado {
namespace {

bool is_word(const Token& t, std::string_view w) {
  return t.kind == TokenKind::Word && ascii_iequals(t.text, w);
}

bool is_symbol(const Token& t, char c) {
  return t.kind == TokenKind::Symbol && t.text.size() == 1 && t.text[0] == c;
}

template <std::size_t N>
bool any_word(const Token& t, const std::array<std::string_view, N>& words) {
  return t.kind == TokenKind::Word &&
         std::any_of(words.begin(), words.end(), [&](std::string_view w) { return ascii_iequals(t.text, w); });
}

constexpr std::array<std::string_view, 4> kLiftingStatements = {"select", "insert", "update", "delete"};
// Words whose parenthesised literal SQLite's plan or grammar reads as written.
constexpr std::array<std::string_view, 4> kFixingWords = {"top", "like", "glob", "escape"};
// Types whose parenthesised numbers are lengths, precisions or scales.
constexpr std::array<std::string_view, 13> kSizedTypes = {
    "char",      "varchar", "nchar", "nvarchar",  "binary",    "varbinary",     "decimal",
    "numeric",   "float",   "time",  "datetime2", "character", "datetimeoffset"};
// Whether the symbol c follows tokens[i], blanks and comments apart.
bool followed_by(const std::vector<Token>& tokens, std::size_t i, char c) {
  const auto after = tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1;
  const auto next = std::find_if(after, tokens.end(), significant);
  return next != tokens.end() && is_symbol(*next, c);
}

bool fits_32_bits(std::string_view digits) {
  if (digits.empty() || digits.size() > 10) return false;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  return digits.size() < 10 || digits <= std::string_view("2147483647");
}

// 0 or 1 however written (007 is 7).
bool zero_or_one(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos || digits.substr(first) == "1";
}

// Whether the literal `quoted` after `before` is a like or glob pattern that starts with a
// character matching only itself: SQLite then searches an index for the pattern's prefix.
bool prefixed_pattern(const Token& before, std::string_view quoted) {
  if (quoted.size() <= 2) return false;  // '' has no prefix
  const char first = quoted[1];
  if (is_word(before, "like")) return first != '%' && first != '_';
  return is_word(before, "glob") && first != '*' && first != '?' && first != '[';
}

// The text between `quote` and its partner, doubled quotes undoubled.
std::string unquoted(std::string_view inner, char quote) {
  std::string out;
  out.reserve(inner.size());
  for (std::size_t i = 0; i < inner.size(); ++i) {
    out += inner[i];
    if (inner[i] == quote) ++i;  // two stand for one
  }
  return out;
}

template <class T>
bool contains(const std::vector<T>& values, const T& value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

long long Literal::integer() const {
  long long n = 0;
  for (char c : token) n = n * 10 + (c - '0');
  return n;
}

std::string_view Literal::inner() const {
  std::string_view quoted = token.substr(token.find('\'') + 1);
  quoted.remove_suffix(1);
  return quoted;
}

std::string Literal::text() const { return unquoted(inner(), '\''); }

void IndexLiterals::clear() {
  tables_.clear();
  texts_.clear();
  integers_.clear();
}

void IndexLiterals::add_table(std::string lower_name) {
  if (!contains(tables_, lower_name)) tables_.push_back(std::move(lower_name));
}

void IndexLiterals::add_index(std::string_view create_index) {
  for (const Token& t : tokenize_sql(create_index)) {
    if (t.kind == TokenKind::Number && fits_32_bits(t.text)) {
      integers_.push_back(Literal{Literal::Kind::Integer, t.text}.integer());
    } else if (t.kind == TokenKind::String) {
      texts_.push_back(Literal{Literal::Kind::Text, t.text}.text());
    } else if (t.kind == TokenKind::QuotedName && t.text.size() >= 2) {
      // A name SQLite finds no column for reads as a text.
      texts_.push_back(unquoted(t.text.substr(1, t.text.size() - 2), '"'));
    }
  }
}

bool IndexLiterals::names_table(const Token& t) const {
  std::string_view name = t.text;
  if (t.kind == TokenKind::QuotedName || t.kind == TokenKind::BracketName) {
    if (name.size() < 2) return false;
    name = name.substr(1, name.size() - 2);
  } else if (t.kind != TokenKind::Word) {
    return false;
  }
  return std::any_of(tables_.begin(), tables_.end(),
                     [&](const std::string& n) { return ascii_iequals(name, n); });
}

bool IndexLiterals::holds(const Literal& literal) const {
  if (literal.kind == Literal::Kind::Integer) return contains(integers_, literal.integer());
  return contains(texts_, literal.text());
}

void SqlShape::read(std::string_view sql, const IndexLiterals& indexed) {
  text_.clear();
  literals_.clear();
  tokenize_sql(sql, tokens_);
  const auto first = std::find_if(tokens_.begin(), tokens_.end(), significant);
  // SQLite reads a text no further than its first NUL: such a text runs as written, for its error.
  const bool lifting = first != tokens_.end() && any_word(*first, kLiftingStatements) &&
                       sql.find('\0') == std::string_view::npos &&
                       std::none_of(tokens_.begin(), tokens_.end(), [&](const Token& t) {
                         return is_symbol(t, '?') || is_symbol(t, ':') || is_symbol(t, '$') ||
                                (t.kind == TokenKind::Word && t.text[0] == '@');
                       });
  const bool indexes_read_literals =
      lifting && std::any_of(tokens_.begin(), tokens_.end(),
                             [&](const Token& t) { return indexed.names_table(t); });

  clauses_.assign(1, Clause::Values);
  const Token* before = nullptr;                // the significant token before the current one
  std::size_t copied = 0;  // bytes of sql already in text_
  for (std::size_t i = 0; i < tokens_.size(); ++i) {
    const Token& t = tokens_[i];
    if (!significant(t)) continue;
    const Token* next = i + 1 < tokens_.size() ? &tokens_[i + 1] : nullptr;
    Clause& clause = clauses_.back();
    if (is_symbol(t, '(')) {
      const bool fixed =
          before != nullptr && (any_word(*before, kSizedTypes) || any_word(*before, kFixingWords));
      clauses_.push_back(fixed ? Clause::Fixed : Clause::Values);
    } else if (is_symbol(t, ')')) {
      if (clauses_.size() > 1) clauses_.pop_back();
    } else if (is_word(t, "select") || is_word(t, "returning")) {
      clause = Clause::SelectList;
    } else if (clause == Clause::SelectList && is_word(t, "from")) {
      clause = Clause::Values;
    } else if (is_word(t, "by") && before != nullptr &&
               (is_word(*before, "order") || is_word(*before, "group"))) {
      clause = Clause::Ordering;
    } else if (is_word(t, "limit") || is_word(t, "offset")) {
      clause = Clause::Fixed;  // the planner reads a literal count as an estimate of the rows
    } else if (clause == Clause::Ordering && is_word(t, "having")) {
      clause = Clause::Values;
    }
    const bool national = t.kind == TokenKind::Word && (t.text == "N" || t.text == "n") &&
                          next != nullptr && next->kind == TokenKind::String;
    const Token& literal = national ? *next : t;
    // Quotes come in pairs inside a literal, so a closed one holds an even number of them.
    // A quoted run right after another word is not a text (x'00ff' is a blob).
    const bool prefixed = !national && i > 0 && tokens_[i - 1].kind == TokenKind::Word;
    const bool closed = literal.kind == TokenKind::String && !prefixed &&
                        std::count(literal.text.begin(), literal.text.end(), '\'') % 2 == 0;
    const bool number = t.kind == TokenKind::Number && fits_32_bits(t.text) &&
                        !zero_or_one(t.text) && (next == nullptr || next->kind != TokenKind::Word);
    const bool fixed = before != nullptr &&
                       (is_word(*before, "top") || is_word(*before, "escape") ||
                        prefixed_pattern(*before, literal.text));
    // A term of a sum stays too: whether the sum adds numbers or joins texts depends on the
    // kinds of its terms (see translate_tsql).
    const bool summed = (before != nullptr && is_symbol(*before, '+')) ||
                        followed_by(tokens_, national ? i + 1 : i, '+');
    const std::size_t at = static_cast<std::size_t>(t.text.data() - sql.data());
    const std::size_t end =
        static_cast<std::size_t>(literal.text.data() - sql.data()) + literal.text.size();
    // Digits right after the literal would number its parameter ('u4'1 is no ?1).
    const bool glued = end < sql.size() && sql[end] >= '0' && sql[end] <= '9';
    if (lifting && (closed || number) && !fixed && !summed && !glued &&
        std::all_of(clauses_.begin(), clauses_.end(),
                    [](Clause c) { return c == Clause::Values; })) {
      const Literal lifted{number     ? Literal::Kind::Integer
                           : national ? Literal::Kind::NationalText
                                      : Literal::Kind::Text,
                           sql.substr(at, end - at)};
      if (!indexes_read_literals || !indexed.holds(lifted)) {
        text_.append(sql.substr(copied, at - copied));
        text_ += '?';
        copied = end;
        literals_.push_back(lifted);
        if (national) ++i;
      }
    }
    before = &t;
  }
  text_.append(sql.substr(copied));
}

}  // namespace platform::ado
