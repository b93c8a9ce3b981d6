// The shared body budget: the whole, each address's share, and the slice kept for small bodies.
#include "host/body_budget.h"

#include <string_view>

namespace host {
namespace {
// The text of every refusal starts so; built only for a refusal, not for each charge.
constexpr std::string_view kInFlight = "request bodies in flight";
}  // namespace

BodyBudget::BodyBudget(std::size_t total)
    : total_(total),
      share_(total / 4),
      kept_(total / 8),
      small_(total / 8 / 64),
      kept_share_(total / 8 / 16) {}

bool BodyBudget::is_small(const Body& body, std::size_t held) const {
  return body.announced.value_or(held) <= small_;
}

std::string BodyBudget::take(const std::string& address, Body& body, std::size_t more) {
  std::lock_guard lock(mu_);
  Held& of_address = by_address_[address];
  const bool was_small = is_small(body, body.held);
  const bool small = is_small(body, body.held + more);
  // A chunked body that grows out of the small ones no longer counts among them.
  const std::size_t small_before = of_address.small - (was_small && !small ? body.held : 0);
  std::string refusal;
  if (held_ + more > total_) {
    refusal = std::string(kInFlight) + " exceed " + std::to_string(total_) + " bytes";
  } else if (of_address.all + more > share_) {
    refusal =
        std::string(kInFlight) + " from one address exceed " + std::to_string(share_) + " bytes";
  } else if (held_ + more > total_ - kept_) {
    if (!small) {
      refusal = std::string(kInFlight) + " exceed " + std::to_string(total_ - kept_) +
                " bytes, the rest kept for bodies up to " + std::to_string(small_) + " bytes";
    } else if (small_before + more > kept_share_) {
      refusal = std::string(kInFlight) + " from one address exceed " + std::to_string(kept_share_) +
                " bytes of the rest kept for small bodies";
    }
  }
  if (!refusal.empty()) {
    if (of_address.all == 0) by_address_.erase(address);
    return refusal;
  }
  held_ += more;
  of_address.all += more;
  of_address.small = small_before + (small ? more : 0);
  body.held += more;
  return refusal;
}

void BodyBudget::give_back(const std::string& address, Body& body) {
  if (body.held == 0) return;
  std::lock_guard lock(mu_);
  held_ -= body.held;
  auto it = by_address_.find(address);
  it->second.all -= body.held;
  if (is_small(body, body.held)) it->second.small -= body.held;
  if (it->second.all == 0) by_address_.erase(it);
  body.held = 0;
}

}  // namespace host
