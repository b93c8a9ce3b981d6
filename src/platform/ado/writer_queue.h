// The writers of this process to one database file, let in one at a time in order of arrival.
// SQLite admits one writer per file; without a queue, writers that find the file locked poll
// for it, and under load a poller can lose every round until its time runs out.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

namespace platform::ado {

class WriterQueue {
 public:
  // The queue of the database file that `device` and `inode` name, shared by every session
  // of this process on that file.
  static std::shared_ptr<WriterQueue> of_file(std::uint64_t device, std::uint64_t inode);

  // Waits for this caller's turn, at most until `deadline`. False when the time ran out.
  bool enter(std::chrono::steady_clock::time_point deadline);
  // Ends the turn of the caller that entered last.
  void leave();

 private:
  std::mutex mutex_;
  std::condition_variable turn_;
  bool busy_ = false;
  std::uint64_t next_ticket_ = 0;
  std::deque<std::uint64_t> waiting_;  // tickets in order of arrival
};

// Holds a turn in a WriterQueue while it lives (when it got one).
class WriterTurn {
 public:
  WriterTurn() = default;
  WriterTurn(WriterQueue& queue, std::chrono::steady_clock::time_point deadline)
      : queue_(queue.enter(deadline) ? &queue : nullptr) {}
  ~WriterTurn() { release(); }
  WriterTurn(WriterTurn&& other) noexcept : queue_(other.queue_) { other.queue_ = nullptr; }
  WriterTurn& operator=(WriterTurn&& other) noexcept {
    if (this != &other) {
      release();
      queue_ = other.queue_;
      other.queue_ = nullptr;
    }
    return *this;
  }

  explicit operator bool() const { return queue_ != nullptr; }
  void release() {
    if (queue_ != nullptr) queue_->leave();
    queue_ = nullptr;
  }

 private:
  WriterQueue* queue_ = nullptr;
};

}  // namespace platform::ado
