// A request's repeated reads, answered from the rows they gave.
#include "platform/ado/read_memo.h"

namespace platform::ado {

const ResultSet* ReadMemo::find(std::string_view sql) const {
  const auto it = kept_.find(sql);
  return it == kept_.end() ? nullptr : &it->second;
}

void ReadMemo::keep(std::string_view sql, const ResultSet& rows) { kept_.emplace(sql, rows); }

void ReadMemo::clear() noexcept { kept_.clear(); }

}  // namespace platform::ado
