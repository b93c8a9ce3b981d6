// The heap trim after request bodies, by the bytes freed and the clock.
#include "host/memory_return.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>

namespace host {
namespace {

// Body bytes freed that make a trim worth its cost.
constexpr std::size_t kWorthATrim = 1024 * 1024;
constexpr int kOwnMapping = 1024 * 1024;
constexpr auto kTrimInterval = std::chrono::seconds(1);
// What a request leaves after its body is noted (its form, its answer) is freed within this.
constexpr auto kSettleTime = std::chrono::milliseconds(100);

}  // namespace

MemoryReturn::MemoryReturn(boost::asio::any_io_executor executor) : timer_(std::move(executor)) {
#ifdef __GLIBC__
  // Blocks this large get mappings of their own, unmapped as they are freed. Left to itself glibc
  // raises the threshold to the largest block freed, and keeps twice that at the top of each
  // thread's heap, where no trim reaches.
  mallopt(M_MMAP_THRESHOLD, kOwnMapping);
#endif
}

void MemoryReturn::freed(std::size_t bytes) {
  if (bytes == 0) return;  // most requests have no body: no lock for them
  std::lock_guard lock(mu_);
  pending_ += bytes;
  set_timer();
}

void MemoryReturn::set_timer() {
  if (pending_ < kWorthATrim || waiting_) return;
  waiting_ = true;
  timer_.expires_at(
      std::max(std::chrono::steady_clock::now() + kSettleTime, last_ + kTrimInterval));
  timer_.async_wait([this](boost::system::error_code ec) {
    if (!ec) trim();
  });
}

void MemoryReturn::trim() {
  {
    // Bodies freed while the trim runs count for the next one.
    std::lock_guard lock(mu_);
    pending_ = 0;
  }
#ifdef __GLIBC__
  malloc_trim(0);
#endif
  std::lock_guard lock(mu_);
  last_ = std::chrono::steady_clock::now();
  waiting_ = false;
  set_timer();
}

}  // namespace host
