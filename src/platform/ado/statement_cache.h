// The prepared statements of one session, kept by the statement's text (its shape, for the
// page's statements), so a statement met again is neither translated nor prepared again; the
// least recently used is dropped when the cache is full.
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

// What SQLite met while it prepared a statement, in its text or in the views it reads.
struct StatementTraits {
  // It calls a function whose value changes from call to call (the clock, random()), so that
  // running it again may give other rows.
  bool changes_between_runs = false;
  // A PRAGMA or an ATTACH: it changes the session's settings or the databases it reaches.
  bool alters_session = false;
};

// What one SQL text became in a SQLite session; finalizes its statements when destroyed.
struct PreparedStatement {
  PreparedStatement() = default;
  ~PreparedStatement();
  PreparedStatement(PreparedStatement&& other) noexcept;
  // Takes `other`'s statements; this one's are finalized with `other`.
  PreparedStatement& operator=(PreparedStatement&& other) noexcept;

  // The text translated and prepared; nullptr for a statement shape that SQLite rejects (the
  // statements of that shape then run by their own texts until the schema changes).
  sqlite3_stmt* statement = nullptr;
  // For a delete: a query for one row the delete would remove, so that a delete with nothing
  // to remove needs no write lock. nullptr for other statements.
  sqlite3_stmt* probe = nullptr;
  // The names of the columns a query returns, read again when SQLite prepares the statement
  // again after a schema change.
  std::shared_ptr<const ColumnNames> columns;
  StatementTraits traits;
};

// Statements of type T by text, at most `capacity` of them. Not thread-safe: it belongs to one
// session.
template <class T>
class StatementCache {
 public:
  explicit StatementCache(std::size_t capacity) : capacity_(capacity) {}
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The statement kept for `sql`, or nullptr. A hit becomes the most recently used.
  T* find(std::string_view sql) {
    const auto it = index_.find(sql);
    if (it == index_.end()) return nullptr;
    entries_.splice(entries_.begin(), entries_, it->second);
    return &it->second->second;
  }

  // Keeps `statement` for `sql` (not already held), dropping the least recently used one when
  // full.
  T& insert(std::string sql, T statement) {
    if (entries_.size() >= capacity_ && !entries_.empty()) {
      index_.erase(entries_.back().first);
      entries_.pop_back();
    }
    entries_.emplace_front(std::move(sql), std::move(statement));
    index_.emplace(entries_.front().first, entries_.begin());
    return entries_.front().second;
  }

  // Drops every statement for which `drop(statement)` is true.
  template <class Predicate>
  void erase_if(Predicate drop) {
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (drop(it->second)) {
        index_.erase(it->first);
        it = entries_.erase(it);
      } else {
        ++it;
      }
    }
  }

  // Drops every statement.
  void clear() {
    index_.clear();
    entries_.clear();
  }

 private:
  using Entry = std::pair<std::string, T>;
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string_view, typename std::list<Entry>::iterator> index_;  // keys view entries_
};

}  // namespace platform::ado
