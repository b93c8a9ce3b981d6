// Token-level rewriting of T-SQL forms; quoted text is a single token and so never rewritten.
#include "platform/ado/tsql_dialect.h"

#include <algorithm>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ado/ascii.h"
#include "platform/ado/sql_tokens.h"

namespace platform::ado {
namespace {

bool is_name(const Token& t) {
  return t.kind == TokenKind::Word || t.kind == TokenKind::QuotedName ||
         t.kind == TokenKind::BracketName;
}

// The name a name token stands for: brackets and quotes removed, doubled closers undone.
std::string unquote(const Token& t) {
  if (t.kind == TokenKind::Word) return std::string(t.text);
  const char close = t.kind == TokenKind::BracketName ? ']' : '"';
  std::string_view inner = t.text.substr(1);
  if (!inner.empty() && inner.back() == close) inner.remove_suffix(1);
  std::string name;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    name += inner[i];
    if (inner[i] == close && i + 1 < inner.size() && inner[i + 1] == close) ++i;
  }
  return name;
}

class Tokens {
 public:
  explicit Tokens(std::string_view sql) : tokens_(tokenize_sql(sql)) {}
  std::size_t size() const { return tokens_.size(); }
  const Token& operator[](std::size_t i) const { return tokens_[i]; }
  // The first significant token after i (size() when none).
  std::size_t next(std::size_t i) const {
    for (++i; i < tokens_.size(); ++i)
      if (significant(tokens_[i])) break;
    return i;
  }
  bool word(std::size_t i, std::string_view w) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::Word && ascii_iequals(tokens_[i].text, w);
  }
  bool symbol(std::size_t i, char c) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::Symbol && tokens_[i].text[0] == c;
  }
  // A "dbo" owner directly followed by "." (as in dbo.T or [dbo].[T]).
  bool owner_prefix(std::size_t i) const {
    return is_name(tokens_[i]) && ascii_iequals(unquote(tokens_[i]), "dbo") && symbol(i + 1, '.');
  }

 private:
  std::vector<Token> tokens_;
};

// Words after which a "+" is a sign rather than an addition: they end no term.
constexpr std::string_view kOperatorWords[] = {
    "select",  "distinct", "all",    "top",  "where", "and", "or",   "not",
    "when",    "then",     "else",   "like", "by",    "on",  "case", "having",
    "between", "return",   "escape", "set",  "as",    "in",  "is",   "from"};

// The "+" signs that join texts. SQL Server adds the terms of a sum left to right, and a sum
// of texts is their concatenation: a sum with a quoted text among its terms and no number
// joins texts, where SQLite would add the texts as numbers. True at the index of each such +.
std::vector<bool> joining_pluses(const Tokens& t) {
  const std::size_t n = t.size();
  std::vector<std::size_t> closing(n, n);  // the ")" of each "(" (n when unclosed)
  std::vector<std::size_t> open;
  for (std::size_t i = 0; i < n; ++i) {
    if (t.symbol(i, '(')) open.push_back(i);
    if (t.symbol(i, ')') && !open.empty()) {
      closing[open.back()] = i;
      open.pop_back();
    }
  }
  enum class Kind { None, Text, Number, Other };
  // The kind of the term that starts at i, and the index after its last token: a literal, a
  // name (a.b), a call (f(x)) or a parenthesised expression.
  const auto term = [&](std::size_t i) -> std::pair<Kind, std::size_t> {
    if (i >= n) return {Kind::None, i};
    const Token& tok = t[i];
    if (tok.kind == TokenKind::String) return {Kind::Text, i + 1};
    if (tok.kind == TokenKind::Number) return {Kind::Number, i + 1};
    if ((tok.text == "N" || tok.text == "n") && i + 1 < n && t[i + 1].kind == TokenKind::String) {
      return {Kind::Text, i + 2};
    }
    if (t.symbol(i, '(')) return {Kind::Other, std::min(closing[i], n - 1) + 1};
    const bool operator_word = std::any_of(std::begin(kOperatorWords), std::end(kOperatorWords),
                                           [&](std::string_view w) { return t.word(i, w); });
    if (!is_name(tok) || operator_word) return {Kind::None, i};
    std::size_t end = i + 1;
    while (t.symbol(end, '.') && end + 1 < n && is_name(t[end + 1])) end += 2;
    const std::size_t call = t.next(end - 1);
    if (t.symbol(call, '(')) end = std::min(closing[call], n - 1) + 1;
    return {Kind::Other, end};
  };

  std::vector<bool> joins(n), continues_sum(n);
  std::vector<std::size_t> pluses;
  for (std::size_t i = n > 0 && significant(t[0]) ? 0 : t.next(0); i < n; i = t.next(i)) {
    auto [kind, end] = term(i);
    if (kind == Kind::None || continues_sum[i]) continue;
    bool text = kind == Kind::Text, number = kind == Kind::Number;
    pluses.clear();
    for (std::size_t plus = t.next(end - 1); t.symbol(plus, '+'); plus = t.next(end - 1)) {
      const std::size_t next = t.next(plus);
      std::tie(kind, end) = term(next);
      if (kind == Kind::None) break;
      pluses.push_back(plus);
      continues_sum[next] = true;
      text = text || kind == Kind::Text;
      number = number || kind == Kind::Number;
    }
    if (!text || number) continue;
    for (std::size_t plus : pluses) joins[plus] = true;
  }
  return joins;
}

class Translator {
 public:
  explicit Translator(std::string_view sql) : t_(sql), joins_(joining_pluses(t_)) {
    out_.reserve(sql.size() + 16);
  }

  std::string run() {
    std::size_t i = 0;
    while (i < t_.size()) i = step(i);
    close_pending(-1, end_of_meaning_);  // after the last token, before a trailing comment
    return std::move(out_);
  }

 private:
  // Text that belongs before the closing parenthesis of paren depth `depth` (or at the end of
  // the statement when depth is 0): the limit of a "top N" query, the extra ")" of len().
  struct Pending {
    int depth;
    std::string text;
  };

  void emit(std::string_view text) {
    append(text);
    end_of_meaning_ = out_.size();
  }

  // Appends text; after a dropped token a blank keeps the neighbours apart where they would
  // otherwise run together ("'a'N'b'" must not become the one literal "'a''b'").
  void append(std::string_view text) {
    if (after_drop_ && !out_.empty() && !text.empty() && would_join(out_.back(), text.front())) {
      out_ += ' ';
    }
    after_drop_ = false;
    out_ += text;
  }

  // Skips the tokens [i, next) and returns next.
  std::size_t drop(std::size_t next) {
    after_drop_ = true;
    return next;
  }

  // Inserts the pending texts of every depth >= `depth` at `at` in the output.
  void close_pending(int depth, std::size_t at) {
    while (!pending_.empty() && pending_.back().depth >= depth) {
      const std::string& text = pending_.back().text;
      out_.insert(at, text);
      if (end_of_meaning_ >= at) end_of_meaning_ += text.size();
      at += text.size();
      pending_.pop_back();
    }
  }

  // Handles the token at i; returns the index of the next token to handle.
  std::size_t step(std::size_t i) {
    const Token& tok = t_[i];
    if (!significant(tok)) {
      append(tok.text);
      return i + 1;
    }
    const bool at_start = statement_start_;
    statement_start_ = false;
    if (t_.owner_prefix(i)) return drop(i + 2);
    switch (tok.kind) {
      case TokenKind::Word:
        return word(i, at_start);
      case TokenKind::BracketName:
        emit(quoted_name(unquote(tok)));
        return i + 1;
      case TokenKind::Symbol:
        if (joins_[i]) {
          emit("||");
          return i + 1;
        }
        if (tok.text == "(") {
          ++depth_;
        } else if (tok.text == ")") {
          close_pending(depth_, out_.size());
          if (depth_ > 0) --depth_;
        } else if (tok.text == ";") {
          close_pending(depth_, end_of_meaning_);
          statement_start_ = true;
        }
        emit(tok.text);
        return i + 1;
      default:
        emit(tok.text);
        return i + 1;
    }
  }

  std::size_t word(std::size_t i, bool at_start) {
    const std::string_view w = t_[i].text;
    const std::size_t j = t_.next(i);
    if (at_start && (ascii_iequals(w, "delete") || ascii_iequals(w, "insert"))) {
      const bool is_delete = ascii_iequals(w, "delete");
      // "insert or replace", "insert or ignore": the table's "into" follows the conflict word.
      std::size_t last = i;
      if (!is_delete && t_.word(j, "or") && t_.next(j) < t_.size() &&
          t_[t_.next(j)].kind == TokenKind::Word) {
        last = t_.next(j);
      }
      for (std::size_t k = i; k <= last; ++k) append(t_[k].text);
      end_of_meaning_ = out_.size();
      if (!t_.word(t_.next(last), is_delete ? "from" : "into")) emit(is_delete ? " from" : " into");
      return last + 1;
    }
    if (ascii_iequals(w, "select")) return select(i);
    // Savepoints: SQL Server names them as transactions.
    const bool names_transaction = t_.word(j, "tran") || t_.word(j, "transaction");
    if (at_start && names_transaction && ascii_iequals(w, "save")) {
      emit("savepoint");
      return drop(j + 1);
    }
    if (at_start && names_transaction && ascii_iequals(w, "rollback") &&
        t_.next(j) < t_.size() && is_name(t_[t_.next(j)])) {
      emit("rollback to");
      return drop(j + 1);
    }
    if (ascii_iequals(w, "getdate") && t_.symbol(j, '(') && t_.symbol(t_.next(j), ')')) {
      emit("datetime('now','localtime')");
      return t_.next(j) + 1;
    }
    if (ascii_iequals(w, "isnull") && t_.symbol(j, '(')) {
      emit("ifnull");
      return i + 1;
    }
    if (ascii_iequals(w, "len") && t_.symbol(j, '(')) {
      emit("length(rtrim(");
      pending_.push_back({++depth_, ")"});
      return j + 1;
    }
    if ((w == "N" || w == "n") && i + 1 < t_.size() && t_[i + 1].kind == TokenKind::String) {
      return drop(i + 1);
    }
    emit(w);
    return i + 1;
  }

  // "select [distinct|all] top N" or "top (N)": drops the top clause and owes " limit N".
  std::size_t select(std::size_t i) {
    emit(t_[i].text);
    std::size_t top = t_.next(i);
    if (t_.word(top, "distinct") || t_.word(top, "all")) top = t_.next(top);
    if (!t_.word(top, "top")) return i + 1;
    std::size_t count = t_.next(top);
    std::size_t after = count + 1;
    if (t_.symbol(count, '(')) {
      count = t_.next(count);
      after = t_.next(count);
      if (!t_.symbol(after, ')')) return i + 1;
      ++after;
    }
    if (count >= t_.size() || t_[count].kind != TokenKind::Number) return i + 1;
    if (t_.word(t_.next(after - 1), "percent")) return i + 1;
    for (std::size_t k = i + 1; k < top; ++k) append(t_[k].text);  // blanks and DISTINCT
    end_of_meaning_ = out_.size();
    pending_.push_back({depth_, " limit " + std::string(t_[count].text)});
    if (after < t_.size() && t_[after].kind == TokenKind::Space) ++after;
    return drop(after);
  }

  Tokens t_;
  std::vector<bool> joins_;  // the "+" that join texts
  std::string out_;
  std::vector<Pending> pending_;
  std::size_t end_of_meaning_ = 0;
  int depth_ = 0;
  bool statement_start_ = true;
  bool after_drop_ = false;
};

}  // namespace

std::string translate_tsql(std::string_view sql) {
  // A dropped token can bring two others together into a form of their own ("N[dbo].'a'"
  // leaves N'a', "top 5 top 6" a second top clause), and so can a ")" owed to an unclosed
  // len( ("getdate("), so the text is translated again until nothing changes: the result then
  // translates to itself. Statements as SQL Server takes them need one confirming pass. The
  // loop ends: a pass that changes the text uses up a word it rewrites (top, N, dbo, getdate,
  // isnull, len, a bracketed name, or a delete or insert that gets its from or into), and no
  // pass adds one.
  std::string out = Translator(sql).run();
  for (std::string again; (again = Translator(out).run()) != out;) out = std::move(again);
  return out;
}

std::string quoted_name(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + '"';
}

std::string updatable_table(std::string_view select_sql) {
  const Tokens t(select_sql);
  int depth = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t.symbol(i, '(')) ++depth;
    if (t.symbol(i, ')')) --depth;
    if (depth != 0 || !t.word(i, "from")) continue;
    std::size_t n = t.next(i);
    if (n >= t.size() || !is_name(t[n])) return "";
    while (t.symbol(n + 1, '.') && n + 2 < t.size() && is_name(t[n + 2])) n += 2;
    // The rest of the FROM clause must not name a second table.
    int inner = 0;
    for (std::size_t k = t.next(n); k < t.size(); k = t.next(k)) {
      if (t.symbol(k, '(')) ++inner;
      if (t.symbol(k, ')')) --inner;
      if (inner != 0) continue;
      if (t.symbol(k, ';') || t.word(k, "where") || t.word(k, "group") || t.word(k, "order") ||
          t.word(k, "having") || t.word(k, "union")) {
        break;
      }
      if (t.symbol(k, ',') || t.word(k, "join")) return "";
    }
    return unquote(t[n]);
  }
  return "";
}

}  // namespace platform::ado
