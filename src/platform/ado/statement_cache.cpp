// LRU cache of prepared statements.
#include "platform/ado/statement_cache.h"

#include <sqlite3.h>

namespace platform::ado {

StatementCache::~StatementCache() {
  for (Entry& e : entries_) finalize(e.second);
}

void StatementCache::finalize(PreparedStatement& prepared) {
  sqlite3_finalize(prepared.statement);
  sqlite3_finalize(prepared.probe);
}

PreparedStatement* StatementCache::find(std::string_view sql) {
  const auto it = index_.find(sql);
  if (it == index_.end()) return nullptr;
  entries_.splice(entries_.begin(), entries_, it->second);
  return &it->second->second;
}

PreparedStatement& StatementCache::insert(std::string sql, PreparedStatement prepared) {
  if (entries_.size() >= capacity_ && !entries_.empty()) {
    index_.erase(entries_.back().first);
    finalize(entries_.back().second);
    entries_.pop_back();
  }
  entries_.emplace_front(std::move(sql), std::move(prepared));
  index_.emplace(entries_.front().first, entries_.begin());
  return entries_.front().second;
}

}  // namespace platform::ado
