// The prepared statements of one SQLite session, kept by SQL text, least recently used dropped.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

struct sqlite3_stmt;

namespace platform::ado {

// Owns the statements it holds and finalizes them when they are dropped. Not thread-safe: it
// belongs to one session.
class StatementCache {
 public:
  explicit StatementCache(std::size_t capacity) : capacity_(capacity) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The statement prepared for `sql`, or nullptr. A hit becomes the most recently used.
  sqlite3_stmt* find(std::string_view sql);
  // Takes ownership of `statement` for `sql` (not already held), dropping the least recently
  // used statement when full.
  void insert(std::string sql, sqlite3_stmt* statement);

 private:
  using Entry = std::pair<std::string, sqlite3_stmt*>;
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;  // keys view entries_
};

}  // namespace platform::ado
