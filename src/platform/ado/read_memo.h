// The rows of a request's reads, kept so that a read the page runs again in the same read
// transaction is answered without SQLite.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/ado/result_set.h"

namespace platform::ado {

// The reads of one open read transaction, by the page's SQL text. Belongs to one session; not
// thread-safe. The session clears it whenever that transaction ends or the session writes.
class ReadMemo {
 public:
  // The rows kept for `sql`, nullptr when none are.
  const ResultSet* find(std::string_view sql) const;
  // Offers the rows `sql` gave in the open read transaction.
  void keep(std::string_view sql, const ResultSet& rows);
  // Forgets every read.
  void clear() noexcept;

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, ResultSet, TextHash, std::equal_to<>> kept_;
};

}  // namespace platform::ado
