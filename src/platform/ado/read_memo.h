// The rows of a request's reads, kept so that a read the page runs again in the same read
// transaction is answered without SQLite.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/ado/result_set.h"
#include "platform/ado/text_map.h"

namespace platform::ado {

// The reads of one open read transaction, by the page's SQL text, in a bounded memory. Belongs
// to one session; not thread-safe. The session clears it whenever that transaction ends or the
// session writes.
class ReadMemo {
 public:
  // A result is kept while it has at most kMaxRows rows and kMaxBytes bytes, and while the memo
  // holds at most kMaxHeldBytes in all. At most kMaxSeenTexts texts run once, and as many that
  // repeated, are remembered by their hash.
  static constexpr std::size_t kMaxRows = 1000;
  static constexpr std::size_t kMaxBytes = 64 * 1024;
  static constexpr std::size_t kMaxHeldBytes = 1024 * 1024;
  static constexpr std::size_t kMaxSeenTexts = 4096;

  // The rows kept for `sql`, nullptr when none are.
  const ResultSet* find(std::string_view sql) const;
  // Offers the rows `sql` gave in the open read transaction. They are kept when they fit the
  // bounds above and `sql` ran before in this transaction, or repeated in an earlier one (a
  // page runs the same texts request after request); otherwise only the text's hash is kept.
  void keep(std::string_view sql, const ResultSet& rows);
  // Forgets every read of the transaction (not which texts repeated).
  void clear() noexcept;

 private:
  TextMap<ResultSet> kept_;
  std::unordered_set<std::size_t> seen_;       // hashes of the texts run once in the transaction
  std::unordered_set<std::size_t> repeating_;  // hashes of the texts that ran twice in one
  std::size_t held_ = 0;                       // bytes of the kept texts and rows
};

}  // namespace platform::ado
