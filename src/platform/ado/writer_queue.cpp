// One first-come queue of writers per database file.
#include "platform/ado/writer_queue.h"

#include <algorithm>
#include <map>
#include <utility>

namespace platform::ado {

std::shared_ptr<WriterQueue> WriterQueue::of_file(std::uint64_t device, std::uint64_t inode) {
  static std::mutex registry_mutex;
  static std::map<std::pair<std::uint64_t, std::uint64_t>, std::weak_ptr<WriterQueue>> registry;
  std::lock_guard lock(registry_mutex);
  std::erase_if(registry, [](const auto& item) { return item.second.expired(); });
  std::weak_ptr<WriterQueue>& entry = registry[{device, inode}];
  std::shared_ptr<WriterQueue> queue = entry.lock();
  if (!queue) {
    queue = std::make_shared<WriterQueue>();
    entry = queue;
  }
  return queue;
}

bool WriterQueue::enter(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  if (!busy_ && waiting_.empty()) {
    busy_ = true;
    return true;
  }
  const std::uint64_t ticket = next_ticket_++;
  waiting_.push_back(ticket);
  const auto my_turn = [&] { return !busy_ && waiting_.front() == ticket; };
  if (!turn_.wait_until(lock, deadline, my_turn)) {
    waiting_.erase(std::find(waiting_.begin(), waiting_.end(), ticket));
    turn_.notify_all();  // the one behind may be first now
    return false;
  }
  waiting_.pop_front();
  busy_ = true;
  return true;
}

void WriterQueue::leave() {
  {
    std::lock_guard lock(mutex_);
    busy_ = false;
  }
  turn_.notify_all();
}

}  // namespace platform::ado
