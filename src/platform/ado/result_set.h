// The rows of one query held in memory: each value stays as the database gave it (a number,
// or the bytes of a text in one shared buffer) until the page reads it, so columns the page
// never reads cost no conversion and no allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vb/variant.h"

namespace platform::ado {

// The column names of a query, shared by every result of one prepared statement.
using ColumnNames = std::vector<std::string>;
using Row = std::vector<vb::Variant>;

// Filled by a driver one row at a time, one add_ call per column in order; read by position.
// Reusing one ResultSet for the next query keeps the memory it already holds.
class ResultSet {
 public:
  // Empties the rows for a query returning `columns`.
  void start(std::shared_ptr<const ColumnNames> columns);

  const std::shared_ptr<const ColumnNames>& columns() const { return columns_; }
  std::size_t column_count() const { return columns_ ? columns_->size() : 0; }
  std::size_t row_count() const;
  // About the memory a copy of the rows takes: their cells, text bytes and other values.
  std::size_t bytes() const;

  void add_null() { push(Cell{Kind::Null, {}}); }
  void add_integer(long long value);
  void add_real(double value);
  // Text and bytes alike: kept unchanged.
  void add_text(std::string_view bytes);
  // Any other value (a Boolean, Date or Currency of a typed database), kept as it is.
  void add_value(vb::Variant value);

  // The value at (row, column): INTEGER gives Long (Double when it does not fit 32 bits),
  // REAL Double, TEXT and BLOB a String of the bytes, NULL Null, any other value itself.
  vb::Variant value(std::size_t row, std::size_t column) const;
  // Every value of one row.
  Row row(std::size_t row) const;

 private:
  enum class Kind : std::uint8_t { Null, Integer, Real, Text, Other };
  struct Text {
    std::size_t offset, size;  // into text_
  };
  struct Cell {
    Kind kind;
    union {
      long long integer;
      double real;
      Text text;
      std::size_t other;  // into others_
    };
  };

  void push(const Cell& cell);

  std::shared_ptr<const ColumnNames> columns_;
  std::vector<Cell> cells_;  // row by row
  std::string text_;         // the bytes of every text cell, back to back
  std::vector<vb::Variant> others_;
};

}  // namespace platform::ado
