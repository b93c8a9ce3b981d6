// The bytes of request bodies the server holds at once, across every connection, charged as
// they arrive. One client address holds at most a quarter of them, and the last eighth is kept
// for small bodies, so that a form post still gets through while a few addresses hold large or
// stalled bodies.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace host {

class BodyBudget {
 public:
  explicit BodyBudget(std::size_t total);

  // Charges `more` bytes to a body from `address` that holds `held` bytes already. Returns ""
  // when they are taken, else the limit they would pass, for the refusal: "request bodies in
  // flight exceed N bytes", "... from one address exceed N bytes", ...
  std::string take(const std::string& address, std::size_t held, std::size_t more);
  // Gives back `bytes` that a body from `address` held.
  void give_back(const std::string& address, std::size_t bytes);

 private:
  const std::size_t total_;
  const std::size_t share_;  // of one address
  const std::size_t kept_;   // for small bodies only
  const std::size_t small_;  // the largest small body
  std::mutex mu_;
  std::size_t held_ = 0;
  std::unordered_map<std::string, std::size_t> by_address_;
};

}  // namespace host
