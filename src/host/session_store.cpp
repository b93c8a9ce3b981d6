// Sessions by cookie id with sliding expiry, caps that spare signed-in users, and one request at
// a time.
#include "host/session_store.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "library/request_setup.h"

namespace host {

struct SessionStore::Entry {
  std::shared_ptr<platform::asp::Session> session = std::make_shared<platform::asp::Session>();
  std::string id;
  // The rest is guarded by the store's mu_.
  Clock::time_point expires;
  bool busy = false;                    // a request holds the session
  bool signed_in = false;               // UserName was set when its last request ended
  bool returned = false;                // a request came back with its id
  std::vector<Then> waiting;            // requests that came while it was busy, oldest first
  std::list<Entry*>::iterator idle_at;  // its place in its idle list while not busy
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
        it->second->returned = true;
        it->second->waiting.push_back(std::move(then));
        return;
      }
      if (it->second->expires > now) {
        entry = it->second;
        entry->returned = true;
        (entry->signed_in ? idle_signed_in_ : idle_anonymous_).erase(entry->idle_at);
      } else {
        drop(it);
      }
    }
    if (!entry) {
      make_room();
      entry = std::make_shared<Entry>();
      do entry->id = new_id();
      while (entries_.count(entry->id) != 0);
      entries_.emplace(entry->id, entry);
      ++anonymous_;
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

// Anonymous sessions go first, for either cap; a signed-in one only when the signed-in ones
// alone fill the store. Sessions in use are never dropped: the store may stay over a cap until
// they end.
void SessionStore::make_room() {
  const auto drop_idlest = [this](std::list<Entry*>& idle) {
    if (idle.empty()) return false;
    drop(entries_.find(idle.front()->id));
    return true;
  };
  while (anonymous_ >= options_.max_anonymous_sessions && drop_idlest(idle_anonymous_)) {
  }
  while (entries_.size() >= options_.max_sessions &&
         (drop_idlest(idle_anonymous_) || drop_idlest(idle_signed_in_))) {
  }
}

void SessionStore::drop(std::unordered_map<std::string, std::shared_ptr<Entry>>::iterator it) {
  Entry& entry = *it->second;
  (entry.signed_in ? idle_signed_in_ : idle_anonymous_).erase(entry.idle_at);
  if (!entry.signed_in) --anonymous_;
  entries_.erase(it);
}

void SessionStore::release(const std::shared_ptr<Entry>& entry) {
  // TimeOut is read before the next request can run: the request may have just set it.
  auto idle = std::chrono::minutes(std::clamp(entry->session->TimeOut, 1L, 1440L));
  const bool has_user = !library::anonymous_session(*entry->session);
  Then next;
  {
    std::lock_guard lock(mu_);
    const bool signed_in = has_user && entry->returned;
    entry->expires = options_.now() + idle;
    if (signed_in != entry->signed_in) {
      entry->signed_in = signed_in;
      if (signed_in) {
        --anonymous_;
      } else {
        ++anonymous_;
      }
    }
    if (entry->waiting.empty()) {
      entry->busy = false;
      auto& list = signed_in ? idle_signed_in_ : idle_anonymous_;
      entry->idle_at = list.insert(list.end(), entry.get());
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
