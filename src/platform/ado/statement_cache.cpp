// Finalizing a SQLite session's cached statements.
#include "platform/ado/statement_cache.h"

#include <sqlite3.h>

namespace platform::ado {

PreparedStatement::~PreparedStatement() {
  sqlite3_finalize(statement);
  sqlite3_finalize(probe);
}

PreparedStatement::PreparedStatement(PreparedStatement&& other) noexcept
    : statement(std::exchange(other.statement, nullptr)),
      probe(std::exchange(other.probe, nullptr)),
      columns(std::move(other.columns)),
      traits(other.traits) {}

PreparedStatement& PreparedStatement::operator=(PreparedStatement&& other) noexcept {
  std::swap(statement, other.statement);
  std::swap(probe, other.probe);
  std::swap(columns, other.columns);
  return *this;
}

}  // namespace platform::ado
