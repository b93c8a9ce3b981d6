// Sessions by cookie id with sliding expiry, caps that spare signed-in users and quiet
// addresses, and one request at a time.
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
  Maker* maker = nullptr;               // the address that made it; outlives it
  std::list<Entry*>::iterator idle_at;  // its place in its idle list while not busy

  std::list<Entry*>& idle_list() const;
};

std::list<SessionStore::Entry*>& SessionStore::Entry::idle_list() const {
  return signed_in ? maker->idle_signed_in : maker->idle_anonymous;
}

bool SessionStore::MostFirst::operator()(const Maker* a, const Maker* b) const {
  return a->held != b->held ? a->held > b->held : a->address < b->address;
}

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

void SessionStore::acquire(std::string_view id, std::string_view address, Then then) {
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
        entry->idle_list().erase(entry->idle_at);
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
      auto [maker, added] = makers_.try_emplace(std::string(address));
      if (added) maker->second.address = maker->first;
      entry->maker = &maker->second;
      count_made(maker->second, true);
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

// The address that made the most sessions pays for a new one, so that one address making
// sessions as fast as it can pushes out its own and no other's. Sessions in use are never
// dropped: the store may stay over a cap until they end.
void SessionStore::make_room() {
  const auto drop_one = [this](bool anonymous_only) {
    Entry* idlest = idlest_of_heaviest(anonymous_only);
    if (idlest) drop(entries_.find(idlest->id));
    return idlest != nullptr;
  };
  while (anonymous_ >= options_.max_anonymous_sessions && drop_one(true)) {
  }
  while (entries_.size() >= options_.max_sessions && drop_one(false)) {
  }
}

// The idlest idle session, anonymous ones first, of the heaviest maker that has one; null when
// none is idle. The heaviest is the flooding address, whose sessions are mostly idle: the walk
// seldom goes past it.
SessionStore::Entry* SessionStore::idlest_of_heaviest(bool anonymous_only) const {
  for (const Maker* maker : heaviest_) {
    if (!maker->idle_anonymous.empty()) return maker->idle_anonymous.front();
    if (!anonymous_only && !maker->idle_signed_in.empty()) return maker->idle_signed_in.front();
  }
  return nullptr;
}

// Counts a session more or one less for its maker, keeping heaviest_ in order; a maker that
// holds none goes.
void SessionStore::count_made(Maker& maker, bool one_more) {
  heaviest_.erase(&maker);
  maker.held += one_more ? 1 : -1;
  if (maker.held > 0) {
    heaviest_.insert(&maker);
  } else {
    makers_.erase(std::string(maker.address));
  }
}

void SessionStore::drop(std::unordered_map<std::string, std::shared_ptr<Entry>>::iterator it) {
  const std::shared_ptr<Entry> entry = std::move(it->second);
  entries_.erase(it);
  entry->idle_list().erase(entry->idle_at);
  if (!entry->signed_in) --anonymous_;
  count_made(*entry->maker, false);
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
      auto& list = entry->idle_list();
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
