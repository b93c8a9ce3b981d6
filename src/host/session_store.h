// The host's sessions: found by the id of the session cookie, one request of a session at a
// time, dropped after the session's TimeOut minutes without a request, and at most a fixed
// number of them. Sessions nobody signed in to, and sessions whose cookie never came back, have
// a smaller cap of their own. For either cap a session goes from the address that made the most
// of the sessions held, so that a flood from one address pushes out only its own sessions and
// never logs out a user of another.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/asp/session.h"

namespace host {

// Shared by all request threads; every member is thread-safe.
class SessionStore {
 public:
  using Clock = std::chrono::steady_clock;
  // Gives a new session its first values (the demo's user); sessions start empty without one.
  using Initializer = std::function<void(platform::asp::Session&)>;
  // Runs a task on some thread (the host's worker pool); must not run it before returning.
  using Post = std::function<void(std::function<void()>)>;

  static constexpr std::size_t kDefaultMaxSessions = 100000;
  static constexpr std::size_t kDefaultMaxAnonymousSessions = 10000;

  struct Options {
    Initializer initializer;
    // Sessions kept at most. A new session beyond it drops an idle session of the address
    // that made the most of the sessions held (of equals, the first by address) and has one: its
    // anonymous session (one whose UserName is blank) idle the longest, else its signed-in one
    // idle the longest.
    std::size_t max_sessions = kDefaultMaxSessions;
    // Anonymous sessions kept at most; a new session beyond it drops the anonymous one idle
    // the longest of the address that made the most of the sessions held and has one idle.
    // A session counts as anonymous from its start until a request that came
    // with its id ends with a UserName in it: a client that never sends the cookie back (a
    // cookieless flood, even one the demo signs in) never leaves the anonymous cap.
    std::size_t max_anonymous_sessions = kDefaultMaxAnonymousSessions;
    // Where a request that waited for its session goes on; when empty it goes on inside the
    // call that ended the request before it.
    Post post;
    std::function<Clock::time_point()> now = Clock::now;
  };

  explicit SessionStore(Options options);

 private:
  struct Entry;

 public:
  // One request's hold on its session: while the lease lives, other requests of the session
  // wait. Ending the lease starts the session's idle time: it expires TimeOut minutes later
  // (at least 1, at most 1440, as the page-scripting host allows), unless a request comes
  // first; or it hands the session to the next request waiting for it.
  class Lease {
   public:
    Lease(Lease&& other) noexcept;
    Lease& operator=(Lease&&) = delete;
    ~Lease();

    const std::string& id() const;
    // True when acquire made the session (no id, or the id was unknown or expired).
    bool is_new() const { return is_new_; }
    const std::shared_ptr<platform::asp::Session>& session() const;

   private:
    friend class SessionStore;
    Lease(SessionStore* store, std::shared_ptr<Entry> entry, bool is_new);

    SessionStore* store_;
    std::shared_ptr<Entry> entry_;
    bool is_new_;
  };

  using Then = std::function<void(Lease)>;

  // Calls `then` with a lease of the live session with this id, or of a new one under a new
  // random id (32 hex digits, 128 bits), made by the client `address`, when the id is empty,
  // unknown or expired. When the
  // session is free, `then` runs before acquire returns; else it is kept, without holding a
  // thread, and runs when the requests before it have ended, in the order they came.
  void acquire(std::string_view id, std::string_view address, Then then);

  // Sessions held: the live ones and expired ones not yet dropped (acquire drops them, at
  // most once a minute).
  std::size_t size() const;

 private:
  // The sessions held that one address made; guarded by mu_.
  struct Maker {
    std::string address;
    std::size_t held = 0;
    // Its sessions without a request, the one idle the longest first: anonymous and
    // signed-in apart.
    std::list<Entry*> idle_anonymous;
    std::list<Entry*> idle_signed_in;
  };
  // Orders the makers by the sessions they made, most first, then by address.
  struct MostFirst {
    bool operator()(const Maker* a, const Maker* b) const;
  };

  std::string new_id();
  void sweep(Clock::time_point now);
  void make_room();
  Entry* idlest_of_heaviest(bool anonymous_only) const;
  void count_made(Maker& maker, bool one_more);
  void drop(std::unordered_map<std::string, std::shared_ptr<Entry>>::iterator it);
  void release(const std::shared_ptr<Entry>& entry);

  Options options_;
  mutable std::mutex mu_;
  std::random_device random_;
  std::unordered_map<std::string, std::shared_ptr<Entry>> entries_;
  // The addresses that made the sessions held, and the same ordered by MostFirst.
  std::unordered_map<std::string, Maker> makers_;
  std::set<Maker*, MostFirst> heaviest_;
  std::size_t anonymous_ = 0;  // anonymous sessions, busy ones included
  Clock::time_point next_sweep_;
};

}  // namespace host
