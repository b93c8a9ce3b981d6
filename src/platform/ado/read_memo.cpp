// A request's repeated reads, answered from the rows they gave. Only a text that repeats earns
// a copy of its rows, and a large result is read again rather than held.
#include "platform/ado/read_memo.h"

namespace platform::ado {

const ResultSet* ReadMemo::find(std::string_view sql) const {
  const auto it = kept_.find(sql);
  return it == kept_.end() ? nullptr : &it->second;
}

void ReadMemo::keep(std::string_view sql, const ResultSet& rows) {
  const std::size_t hash = TextHash{}(sql);
  if (!repeating_.contains(hash)) {
    if (seen_.insert(hash).second) {
      if (seen_.size() > kMaxSeenTexts) seen_.erase(hash);
      return;
    }
    if (repeating_.size() == kMaxSeenTexts) repeating_.clear();  // texts of keys long gone
    repeating_.insert(hash);
  }
  const std::size_t bytes = sizeof(decltype(kept_)::value_type) + sql.size() + rows.bytes();
  if (rows.row_count() > kMaxRows || bytes > kMaxBytes || held_ + bytes > kMaxHeldBytes) return;
  if (kept_.emplace(sql, rows).second) held_ += bytes;
}

void ReadMemo::clear() noexcept {
  kept_.clear();
  seen_.clear();
  held_ = 0;
}

}  // namespace platform::ado
