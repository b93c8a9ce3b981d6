// Sessions by cookie id with sliding expiry and one request at a time.
#include "host/session_store.h"

#include <algorithm>
#include <cstdio>

namespace host {

struct SessionStore::Entry {
  std::shared_ptr<platform::asp::Session> session = std::make_shared<platform::asp::Session>();
  std::mutex request_mu;      // held by the request that runs in the session
  Clock::time_point expires;  // guarded by the store's mu_
  int holders = 0;            // requests running or waiting; guarded by the store's mu_
};

SessionStore::SessionStore(Initializer initializer, std::function<Clock::time_point()> now)
    : initializer_(std::move(initializer)), now_(std::move(now)), next_sweep_(now_()) {}

SessionStore::Lease::Lease(SessionStore* store, std::shared_ptr<Entry> entry, std::string id,
                           bool is_new)
    : store_(store),
      entry_(std::move(entry)),
      id_(std::move(id)),
      is_new_(is_new),
      session_(entry_->session),
      request_lock_(entry_->request_mu) {}

SessionStore::Lease::~Lease() {
  if (!entry_) return;  // moved from
  // TimeOut is read while the request lock is still held: the request may have just set it.
  auto idle = std::chrono::minutes(std::clamp(session_->TimeOut, 1L, 1440L));
  request_lock_.unlock();
  store_->release(*entry_, idle);
}

SessionStore::Lease SessionStore::acquire(std::string_view id) {
  std::shared_ptr<Entry> entry;
  std::string entry_id;
  bool is_new = false;
  {
    std::lock_guard lock(mu_);
    const Clock::time_point now = now_();
    sweep(now);
    if (auto it = entries_.find(std::string(id)); it != entries_.end()) {
      if (it->second->holders > 0 || it->second->expires > now) {
        entry = it->second;
        entry_id = it->first;
      } else {
        entries_.erase(it);
      }
    }
    if (!entry) {
      entry = std::make_shared<Entry>();
      do entry_id = new_id();
      while (entries_.count(entry_id) != 0);
      entries_.emplace(entry_id, entry);
      is_new = true;
    }
    ++entry->holders;
  }
  // The initializer runs before the lease exists, so no request can see the session empty;
  // other requests cannot know the new id yet.
  if (is_new && initializer_) initializer_(*entry->session);
  return Lease(this, std::move(entry), std::move(entry_id), is_new);
}

std::size_t SessionStore::size() const {
  std::lock_guard lock(mu_);
  return entries_.size();
}

std::string SessionStore::new_id() {
  std::string id;
  for (int i = 0; i < 4; ++i) {
    char part[9];
    std::snprintf(part, sizeof part, "%08X", static_cast<unsigned>(random_()));
    id += part;
  }
  return id;
}

void SessionStore::sweep(Clock::time_point now) {
  if (now < next_sweep_) return;
  next_sweep_ = now + std::chrono::minutes(1);
  std::erase_if(entries_, [&](const auto& item) {
    return item.second->holders == 0 && item.second->expires <= now;
  });
}

void SessionStore::release(Entry& entry, std::chrono::minutes idle) {
  std::lock_guard lock(mu_);
  entry.expires = now_() + idle;
  --entry.holders;
}

}  // namespace host
