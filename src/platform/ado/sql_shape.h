// A statement's shape: its text with the literals that can be bound lifted out as parameters,
// so that statements differing only in a key or a quoted value share one prepared statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/sql_tokens.h"

namespace platform::ado {

// One literal lifted out of a statement, in the order of its "?" in the shape.
struct Literal {
  enum class Kind { Integer, Text, NationalText };
  Kind kind;
  std::string_view token;  // as written: 42, 'it''s' or N'text' (a view into the statement)

  long long integer() const;     // Integer: its value
  std::string_view inner() const;  // Text and NationalText: between the quotes, '' still doubled
  std::string text() const;      // Text and NationalText: the text, quotes removed and undoubled
};

// The literals SQLite's plan matches as written: those in the texts of partial indexes and of
// indexes on expressions (a statement's literal must equal the index's for SQLite to use it),
// and the tables those indexes belong to. Not thread-safe; one per session.
class IndexLiterals {
 public:
  // Forgets every table and literal.
  void clear();
  // Adds a table with such an index, or a view (which may read one), by its lower-case name.
  void add_table(std::string lower_name);
  // Adds the literals written in `create_index`, the text of one such index.
  void add_index(std::string_view create_index);

  // Whether `t` names one of the tables, quotes or brackets set aside.
  bool names_table(const Token& t) const;
  // Whether an index holds a literal of `literal`'s kind and value (7 and 007, N'x' and 'x').
  bool holds(const Literal& literal) const;

 private:
  std::vector<std::string> tables_;
  std::vector<std::string> texts_;  // quotes removed
  std::vector<long long> integers_;
};

// The shape of one statement; reused from statement to statement, it keeps its memory.
class SqlShape {
 public:
  // Reads `sql`, which must outlive the views in literals(). Literals are lifted only from a
  // statement that starts with select, insert, update or delete and holds no parameter of its
  // own (?, :name, @name, $name) nor a NUL byte (SQLite reads no further). Then only where a
  // parameter means the same as the literal: never inside a select list or a returning list
  // (the texts of its expressions name the result columns), an order by or group by clause (a
  // number there is a column's position), the count of a top, limit or offset clause, or the
  // length of a type (varchar(10)). Nor where SQLite's plan reads the literal: a like or glob
  // pattern with a fixed prefix (an index serves the prefix; '%x%' needs none and is lifted)
  // and an escape, the numbers 0 and 1 (a comparison with one reads as a flag test, likelier
  // true than one with a key), or, in a statement naming a table of `indexed`, a literal that
  // one of its indexes holds. Nor a term of a sum, which joins texts when a quoted text is
  // among its terms. Integers are lifted when they fit 32 bits and no word is glued to them
  // (1or stays an error); other numbers stay in the text. No literal that digits directly
  // follow is lifted ('u4'1 stays an error).
  void read(std::string_view sql, const IndexLiterals& indexed = IndexLiterals());

  const std::string& text() const { return text_; }
  const std::vector<Literal>& literals() const { return literals_; }

 private:
  std::string text_;
  std::vector<Literal> literals_;
  // What the literals at one depth of parentheses stand in.
  enum class Clause {
    Values,      // a condition, a value list, an assignment: literals may be lifted
    SelectList,  // between select and from: the texts name the result columns
    Ordering,    // order by / group by: a number is a column's position
    Fixed,       // the count of top or limit, a type's length, a like pattern: kept as written
  };

  std::vector<Token> tokens_;
  std::vector<Clause> clauses_;  // one per open parenthesis, innermost last
};

}  // namespace platform::ado
