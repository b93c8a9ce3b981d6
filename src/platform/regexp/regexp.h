// The regular-expression object (Pattern, IgnoreCase, Global, MultiLine; Test, Execute, Replace)
// with the script engine's syntax and matching rules, over PCRE2.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vb/variant.h"

namespace platform::regexp {

// One match. Offsets count characters (code points), as every text function does.
class Match final : public vb::Object {
 public:
  Match(std::string value, long first_index, long length, std::vector<vb::Variant> sub_matches)
      : Value(std::move(value)),
        FirstIndex(first_index),
        Length(length),
        sub_matches_(std::move(sub_matches)) {}

  std::string Value;  // the matched text
  long FirstIndex;    // 0-based offset of the match in the searched text
  long Length;        // length of the match

  // The text of capturing group i + 1 (0-based), Empty when the group took no part in the
  // match; 5 when there is no such group.
  vb::Variant SubMatches(long i, vb::Here where = vb::Here::current()) const;

  std::string type_name() const override { return "Match"; }
  vb::Variant default_value(vb::Here where = vb::Here::current()) const override;

 private:
  std::vector<vb::Variant> sub_matches_;
};

// The matches of one Execute, left to right.
class Matches final : public vb::Object {
 public:
  explicit Matches(std::vector<std::shared_ptr<Match>> items) : items_(std::move(items)) {}

  long Count() const { return static_cast<long>(items_.size()); }
  // Match i (0-based); 5 outside 0..Count()-1.
  std::shared_ptr<Match> Item(long i, vb::Here where = vb::Here::current()) const;
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  std::string type_name() const override { return "Matches"; }

 private:
  std::vector<std::shared_ptr<Match>> items_;
};

// Syntax: the script engine's. `.` matches any character but a line feed (a carriage return
// too); with MultiLine, ^ and $ also match after and before every line feed or carriage return;
// a { that does not start a quantifier is literal; look-behind, named and atomic groups, inline
// options and possessive quantifiers are errors. A pattern that does not compile raises 5017
// "Syntax error in regular expression" when the object is used. Arguments: Empty is "", numbers
// are their text, Null raises 13. A pattern is compiled once per process for its text and
// options and shared by every object that uses it; each object keeps its own match state.
// One thread at a time per object.
class RegExp final : public vb::Object {
 public:
  RegExp();
  ~RegExp() override;
  RegExp(RegExp&&) noexcept;
  RegExp& operator=(RegExp&&) noexcept;

  std::string Pattern;
  bool IgnoreCase = false;
  bool Global = false;
  bool MultiLine = false;

  // Whether the pattern matches anywhere in text.
  bool Test(const vb::Variant& text, vb::Here where = vb::Here::current());
  // All matches (Global) or at most the first, non-overlapping, left to right; after an empty
  // match the search goes on one character later.
  std::shared_ptr<Matches> Execute(const vb::Variant& text, vb::Here where = vb::Here::current());
  // text with each match (Global) or the first replaced by replacement, in which $1..$9 are the
  // groups, $& the match, $` the text before it, $' the text after it and $$ a "$"; any other
  // "$" stays as it is.
  std::string Replace(const vb::Variant& text, const vb::Variant& replacement,
                      vb::Here where = vb::Here::current());

  std::string type_name() const override { return "RegExp"; }

 private:
  struct Compiled;
  Compiled& compiled(vb::Here where);

  std::unique_ptr<Compiled> compiled_;
};

}  // namespace platform::regexp
