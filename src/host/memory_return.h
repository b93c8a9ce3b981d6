// Gives the heap's free pages back to the system after request bodies are freed: glibc keeps
// what large bodies and their forms freed, in every thread's arena, for the life of the process.
// Blocks of a megabyte or more get mappings of their own, which go back as they are freed; the
// rest needs a trim, which costs a few system calls for each stretch of free pages, so it runs
// once enough body bytes were freed, and at most once a second; one that comes too soon waits
// for its second.
#pragma once

#include <boost/asio/any_io_executor.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <cstddef>
#include <mutex>

namespace host {

class MemoryReturn {
 public:
  // The waiting trims run on `executor`; the object must outlive its handlers (be destroyed
  // with, or after the stop of, the executor's context).
  explicit MemoryReturn(boost::asio::any_io_executor executor);

  // Notes `bytes` of request bodies freed (answered or cut); any thread.
  void freed(std::size_t bytes);

 private:
  // Sets a trim on the timer when enough was freed and none is set; mu_ held.
  void set_timer();
  void trim();

  std::mutex mu_;
  std::size_t pending_ = 0;  // freed since the last trim
  bool waiting_ = false;     // a trim is set on the timer
  std::chrono::steady_clock::time_point last_{};
  boost::asio::steady_timer timer_;
};

}  // namespace host
