// Rows kept as the database gave them, converted to Variants when read.
#include "platform/ado/result_set.h"

#include <algorithm>

namespace platform::ado {

void ResultSet::start(std::shared_ptr<const ColumnNames> columns) {
  columns_ = std::move(columns);
  cells_.clear();
  text_.clear();
  others_.clear();
}

std::size_t ResultSet::row_count() const {
  const std::size_t n = column_count();
  return n == 0 ? 0 : cells_.size() / n;
}

std::size_t ResultSet::bytes() const {
  return cells_.size() * sizeof(Cell) + text_.size() + others_.size() * sizeof(vb::Variant);
}

void ResultSet::push(const Cell& cell) {
  if (cells_.capacity() == 0) cells_.reserve(column_count());  // one row's worth to begin with
  cells_.push_back(cell);
}

void ResultSet::add_integer(long long value) {
  Cell cell{Kind::Integer, {}};
  cell.integer = value;
  push(cell);
}

void ResultSet::add_real(double value) {
  Cell cell{Kind::Real, {}};
  cell.real = value;
  push(cell);
}

void ResultSet::add_text(std::string_view bytes) {
  Cell cell{Kind::Text, {}};
  cell.text = Text{text_.size(), bytes.size()};
  if (text_.capacity() - text_.size() < bytes.size()) {  // grow in few, large steps
    text_.reserve(std::max({text_.size() + bytes.size(), 2 * text_.capacity(), std::size_t{1024}}));
  }
  text_.append(bytes);
  push(cell);
}

void ResultSet::add_value(vb::Variant value) {
  Cell cell{Kind::Other, {}};
  cell.other = others_.size();
  others_.push_back(std::move(value));
  push(cell);
}

vb::Variant ResultSet::value(std::size_t row, std::size_t column) const {
  const Cell& cell = cells_[row * column_count() + column];
  switch (cell.kind) {
    case Kind::Integer:
      return vb::Variant(cell.integer);
    case Kind::Real:
      return vb::Variant(cell.real);
    case Kind::Text:
      return vb::Variant(std::string(text_, cell.text.offset, cell.text.size));
    case Kind::Other:
      return others_[cell.other];
    case Kind::Null:
      break;
  }
  return vb::Null;
}

Row ResultSet::row(std::size_t row) const {
  Row values;
  values.reserve(column_count());
  for (std::size_t column = 0; column < column_count(); ++column) {
    values.push_back(value(row, column));
  }
  return values;
}

}  // namespace platform::ado
