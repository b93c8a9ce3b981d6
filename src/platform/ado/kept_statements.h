// Which texts of an ODBC session keep a statement prepared on the server, and the statements
// kept, in a bounded memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "platform/ado/text_map.h"

namespace platform::ado {

// A text met for the first time is run with its text and leaves nothing behind (one request);
// a text met again is prepared and kept, so the server runs it by its handle from then on. The
// kept statements never leave before the session ends: freeing one would cost the server a
// request of its own, so once the bounds are reached new texts are run with their text.
// Statements of type T; not thread-safe: it belongs to one session.
template <class T>
class KeptStatements {
 public:
  // At most kMaxKept statements and kMaxKeptBytes bytes are kept, each charged what a
  // statement prepared through FreeTDS holds: kBytesPerStatement and kBytesPerTextByte for
  // each byte of its text (the text, the driver's copies of it, its parameters and
  // descriptors, as measured); a text longer than kMaxTextBytes is never kept. At most
  // kMaxSeenTexts texts met once are remembered, by their hash.
  static constexpr std::size_t kMaxKept = 4096;
  static constexpr std::size_t kMaxKeptBytes = 8 * 1024 * 1024;
  static constexpr std::size_t kMaxTextBytes = 64 * 1024;
  static constexpr std::size_t kBytesPerStatement = 16 * 1024;
  static constexpr std::size_t kBytesPerTextByte = 6;
  static constexpr std::size_t kMaxSeenTexts = 4096;

  KeptStatements() = default;
  KeptStatements(const KeptStatements&) = delete;
  KeptStatements& operator=(const KeptStatements&) = delete;

  // The statement kept for `sql`, or nullptr.
  T* find(std::string_view sql) {
    const auto it = kept_.find(sql);
    return it == kept_.end() ? nullptr : &it->second;
  }

  // True when `sql` (not kept) was met before and fits the bounds: the caller prepares it and
  // keeps it. Otherwise `sql` is remembered as met.
  bool worth_keeping(std::string_view sql) {
    const std::size_t hash = std::hash<std::string_view>{}(sql);
    if (seen_.erase(hash) != 0) {
      return sql.size() <= kMaxTextBytes && kept_.size() < kMaxKept &&
             bytes_ + charge(sql) <= kMaxKeptBytes;
    }
    if (seen_.size() >= kMaxSeenTexts) seen_.clear();
    seen_.insert(hash);
    return false;
  }

  // Keeps `statement` for `sql`.
  T& keep(std::string sql, T statement) {
    bytes_ += charge(sql);
    return kept_.emplace(std::move(sql), std::move(statement)).first->second;
  }

  // Drops every statement kept (not which texts were met).
  void clear() {
    kept_.clear();
    bytes_ = 0;
  }

  std::size_t size() const noexcept { return kept_.size(); }
  std::size_t bytes() const noexcept { return bytes_; }

 private:
  static std::size_t charge(std::string_view sql) {
    return kBytesPerTextByte * sql.size() + kBytesPerStatement;
  }

  TextMap<T> kept_;
  std::unordered_set<std::size_t> seen_;  // hashes of the texts met once
  std::size_t bytes_ = 0;                 // charged for the statements kept
};

}  // namespace platform::ado
