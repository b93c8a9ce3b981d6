// The shared body budget: the whole, each address's share, and the slice kept for small bodies.
#include "host/body_budget.h"

#include <string_view>

namespace host {
namespace {
// The text of every refusal starts so; built only for a refusal, not for each charge.
constexpr std::string_view kInFlight = "request bodies in flight";
}  // namespace

BodyBudget::BodyBudget(std::size_t total)
    : total_(total), share_(total / 4), kept_(total / 8), small_(total / 8 / 64) {}

std::string BodyBudget::take(const std::string& address, std::size_t held, std::size_t more) {
  std::lock_guard lock(mu_);
  std::size_t& of_address = by_address_[address];
  std::string refusal;
  if (held_ + more > total_) {
    refusal = std::string(kInFlight) + " exceed " + std::to_string(total_) + " bytes";
  } else if (of_address + more > share_) {
    refusal = std::string(kInFlight) + " from one address exceed " + std::to_string(share_) +
              " bytes";
  } else if (held + more > small_ && held_ + more > total_ - kept_) {
    refusal = std::string(kInFlight) + " exceed " + std::to_string(total_ - kept_) +
              " bytes, the rest kept for bodies up to " + std::to_string(small_) + " bytes";
  }
  if (!refusal.empty()) {
    if (of_address == 0) by_address_.erase(address);
    return refusal;
  }
  held_ += more;
  of_address += more;
  return refusal;
}

void BodyBudget::give_back(const std::string& address, std::size_t bytes) {
  if (bytes == 0) return;
  std::lock_guard lock(mu_);
  held_ -= bytes;
  auto it = by_address_.find(address);
  if ((it->second -= bytes) == 0) by_address_.erase(it);
}

}  // namespace host
