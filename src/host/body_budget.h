// The bytes of request bodies the server holds at once, across every connection, charged as
// they arrive. One client address holds at most a quarter of them, and the last eighth is kept
// for small bodies, so that a form post still gets through while a few addresses hold large or
// stalled bodies.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace host {

class BodyBudget {
 public:
  // What one body holds of the budget. It is small while its announced length (or, for a chunked
  // body, which announces none, what it holds) is at most a 64th of the kept eighth.
  struct Body {
    std::optional<std::size_t> announced;  // the Content-Length; none when chunked
    std::size_t held = 0;
  };

  explicit BodyBudget(std::size_t total);

  // Charges `more` bytes of `body`, from `address`, to the budget. Returns "" when they are
  // taken (body.held grows by them), else the limit they would pass, for the refusal: "request
  // bodies in flight exceed N bytes", "... from one address exceed N bytes", ...; a small body
  // may take the kept eighth, but one address only a 16th of it.
  std::string take(const std::string& address, Body& body, std::size_t more);
  // Gives back what `body` from `address` holds; body.held becomes 0.
  void give_back(const std::string& address, Body& body);

 private:
  // What the bodies of one address hold: all of them, and the small ones.
  struct Held {
    std::size_t all = 0;
    std::size_t small = 0;
  };

  bool is_small(const Body& body, std::size_t held) const;

  const std::size_t total_;
  const std::size_t share_;       // of one address
  const std::size_t kept_;        // for small bodies only
  const std::size_t small_;       // the largest small body
  const std::size_t kept_share_;  // of the kept eighth, for one address's small bodies
  std::mutex mu_;
  std::size_t held_ = 0;
  std::unordered_map<std::string, Held> by_address_;
};

}  // namespace host
