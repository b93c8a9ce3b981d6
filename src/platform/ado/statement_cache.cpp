// LRU cache of prepared statements.
#include "platform/ado/statement_cache.h"

#include <sqlite3.h>

namespace platform::ado {

StatementCache::~StatementCache() {
  for (Entry& e : entries_) sqlite3_finalize(e.second);
}

sqlite3_stmt* StatementCache::find(std::string_view sql) {
  const auto it = index_.find(sql);
  if (it == index_.end()) return nullptr;
  entries_.splice(entries_.begin(), entries_, it->second);
  return it->second->second;
}

void StatementCache::insert(std::string sql, sqlite3_stmt* statement) {
  if (entries_.size() >= capacity_ && !entries_.empty()) {
    index_.erase(entries_.back().first);
    sqlite3_finalize(entries_.back().second);
    entries_.pop_back();
  }
  entries_.emplace_front(std::move(sql), statement);
  index_.emplace(entries_.front().first, entries_.begin());
}

}  // namespace platform::ado
