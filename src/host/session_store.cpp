// Sessions by cookie id with sliding expiry, a cap, and one request at a time.
#include "host/session_store.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace host {

struct SessionStore::Entry {
  std::shared_ptr<platform::asp::Session> session = std::make_shared<platform::asp::Session>();
  std::string id;
  // The rest is guarded by the store's mu_.
  Clock::time_point expires;
  bool busy = false;                    // a request holds the session
  std::vector<Then> waiting;            // requests that came while it was busy, oldest first
  std::list<Entry*>::iterator idle_at;  // its place in idle_ while not busy
};

SessionStore::SessionStore(Options options)
    : options_(std::move(options)), next_sweep_(options_.now()) {}

SessionStore::Lease::Lease(SessionStore* store, std::shared_ptr<Entry> entry, bool is_new)
    : store_(store), entry_(std::move(entry)), is_new_(is_new) {}

SessionStore::Lease::Lease(Lease&& other) noexcept
    : store_(other.store_), entry_(std::move(other.entry_)), is_new_(other.is_new_) {}

SessionStore::Lease::~Lease() {
  if (entry_) store_->release(entry_);
}

const std::string& SessionStore::Lease::id() const { return entry_->id; }

const std::shared_ptr<platform::asp::Session>& SessionStore::Lease::session() const {
  return entry_->session;
}

void SessionStore::acquire(std::string_view id, Then then) {
  std::shared_ptr<Entry> entry;
  bool is_new = false;
  {
    std::lock_guard lock(mu_);
    const Clock::time_point now = options_.now();
    sweep(now);
    if (auto it = entries_.find(std::string(id)); it != entries_.end()) {
      if (it->second->busy) {
        it->second->waiting.push_back(std::move(then));
        return;
      }
      if (it->second->expires > now) {
        entry = it->second;
        idle_.erase(entry->idle_at);
      } else {
        drop(it);
      }
    }
    if (!entry) {
      while (entries_.size() >= options_.max_sessions && !idle_.empty()) {
        drop(entries_.find(idle_.front()->id));
      }
      entry = std::make_shared<Entry>();
      do entry->id = new_id();
      while (entries_.count(entry->id) != 0);
      entries_.emplace(entry->id, entry);
      is_new = true;
    }
    entry->busy = true;
  }
  // The initializer runs before the lease exists, so no request can see the session empty;
  // other requests cannot know the new id yet.
  if (is_new && options_.initializer) options_.initializer(*entry->session);
  then(Lease(this, std::move(entry), is_new));
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
  for (auto it = entries_.begin(); it != entries_.end();) {
    auto next = std::next(it);
    if (!it->second->busy && it->second->expires <= now) drop(it);
    it = next;
  }
}

void SessionStore::drop(std::unordered_map<std::string, std::shared_ptr<Entry>>::iterator it) {
  idle_.erase(it->second->idle_at);
  entries_.erase(it);
}

void SessionStore::release(const std::shared_ptr<Entry>& entry) {
  // TimeOut is read before the next request can run: the request may have just set it.
  auto idle = std::chrono::minutes(std::clamp(entry->session->TimeOut, 1L, 1440L));
  Then next;
  {
    std::lock_guard lock(mu_);
    entry->expires = options_.now() + idle;
    if (entry->waiting.empty()) {
      entry->busy = false;
      entry->idle_at = idle_.insert(idle_.end(), entry.get());
      return;
    }
    next = std::move(entry->waiting.front());
    entry->waiting.erase(entry->waiting.begin());
  }
  // The session stays busy: it passes straight to the request that waited longest.
  auto lease = std::shared_ptr<Lease>(new Lease(this, entry, false));
  auto go_on = [next = std::move(next), lease] { next(std::move(*lease)); };
  if (options_.post) {
    options_.post(std::move(go_on));
  } else {
    go_on();
  }
}

}  // namespace host
