// What the host's limit tests share: a form POST's head, connections that hold bodies, waiting
// for their refusals, and the process's memory.
#pragma once

#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/server_harness.h"

namespace host {

inline constexpr char kPage[] = "/flow/BiaoDanTianXie.asp";
inline const std::string kFormType = "application/x-www-form-urlencoded";

// The head of a form POST whose body is `length` bytes long.
inline std::string post_head(std::size_t length) {
  return "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: x\r\nContent-Type: " + kFormType +
         "\r\nContent-Length: " + std::to_string(length) + "\r\n\r\n";
}

// `count` connections from `from`, each with the head of a form body of `length` bytes sent
// and `sent` bytes of it.
inline std::vector<std::unique_ptr<TestConnection>> bodies_held(const ServerHarness& harness,
                                                                const char* from, int count,
                                                                std::size_t length,
                                                                std::size_t sent) {
  std::vector<std::unique_ptr<TestConnection>> held;
  for (int i = 0; i < count; ++i) {
    held.push_back(std::make_unique<TestConnection>(harness.port(), from));
    held.back()->send(post_head(length) + std::string(sent, 'h'));
  }
  return held;
}

// Waits until at least `count` of `held` got 503 naming `limit`, as the server charged the bytes
// they sent, and drops those; false when that takes longer than 20 s. No body is given back
// meanwhile, so which bodies are refused does not hang on the pace at which the server reads.
inline bool refused_at_least(std::vector<std::unique_ptr<TestConnection>>& held, std::size_t count,
                             const std::string& limit) {
  std::size_t refused = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (refused < count && std::chrono::steady_clock::now() < deadline) {
    for (auto c = held.begin(); c != held.end();) {
      const TestAnswer answer = (*c)->read_answer(std::chrono::milliseconds(10));
      if (answer.status == -1) {  // none yet
        ++c;
        continue;
      }
      EXPECT_EQ(answer.status, 503);
      EXPECT_EQ(answer.body, "Service Unavailable: " + limit);
      ++refused;
      c = held.erase(c);
    }
  }
  return refused >= count;
}

// The process's resident memory, in bytes.
inline std::size_t resident_bytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// The bytes the process's heap has handed out and not taken back.
inline std::size_t allocated_bytes() {
  const struct mallinfo2 heap = mallinfo2();
  return heap.uordblks + heap.hblkhd;
}

// Waits up to 5 s for the process's resident memory to fall below `bound`: the heap is trimmed
// at most once a second, and a worker may still be on its way out of a request.
inline bool resident_falls_below(std::size_t bound) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (resident_bytes() >= bound && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return resident_bytes() < bound;
}

}  // namespace host
