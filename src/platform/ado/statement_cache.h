// The prepared statements of one SQLite session, kept by the SQL text as the page wrote it, so
// a statement met again is neither translated nor prepared again; least recently used dropped.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/ado/result_set.h"

struct sqlite3_stmt;

namespace platform::ado {

// What one SQL text became. The cache owns both statements and finalizes them when dropped.
struct PreparedStatement {
  sqlite3_stmt* statement = nullptr;  // the text translated and prepared
  // For a delete: a query for one row the delete would remove, so that a delete with nothing
  // to remove needs no write lock. nullptr for other statements.
  sqlite3_stmt* probe = nullptr;
  // The names of the columns a query returns, read once.
  std::shared_ptr<const ColumnNames> columns;
};

// Not thread-safe: it belongs to one session.
class StatementCache {
 public:
  explicit StatementCache(std::size_t capacity) : capacity_(capacity) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The statement kept for `sql`, or nullptr. A hit becomes the most recently used.
  PreparedStatement* find(std::string_view sql);
  // Takes ownership of `prepared` for `sql` (not already held), dropping the least recently
  // used statement when full.
  PreparedStatement& insert(std::string sql, PreparedStatement prepared);

 private:
  using Entry = std::pair<std::string, PreparedStatement>;
  static void finalize(PreparedStatement& prepared);

  std::size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;  // keys view entries_
};

}  // namespace platform::ado
