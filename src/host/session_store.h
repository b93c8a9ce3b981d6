// The host's sessions: found by the id of the session cookie, one request of a session at a
// time, dropped after the session's TimeOut minutes without a request.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
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

  explicit SessionStore(Initializer initializer = {},
                        std::function<Clock::time_point()> now = Clock::now);

 private:
  struct Entry;

 public:
  // One request's hold on its session: while the lease lives, other requests of the session
  // wait in acquire. Ending the lease starts the session's idle time: it expires TimeOut
  // minutes later (at least 1, at most 1440, as the page-scripting host allows), unless a
  // request comes first.
  class Lease {
   public:
    Lease(Lease&&) = default;
    Lease& operator=(Lease&&) = delete;
    ~Lease();

    const std::string& id() const { return id_; }
    // True when acquire made the session (no id, or the id was unknown or expired).
    bool is_new() const { return is_new_; }
    const std::shared_ptr<platform::asp::Session>& session() const { return session_; }

   private:
    friend class SessionStore;
    Lease(SessionStore* store, std::shared_ptr<Entry> entry, std::string id, bool is_new);

    SessionStore* store_;
    std::shared_ptr<Entry> entry_;
    std::string id_;
    bool is_new_;
    std::shared_ptr<platform::asp::Session> session_;
    std::unique_lock<std::mutex> request_lock_;
  };

  // The live session with this id, or a new one under a new random id (32 hex digits, 128
  // bits) when the id is empty, unknown or expired. Waits while another request holds the
  // session.
  Lease acquire(std::string_view id);

  // Sessions held: the live ones and expired ones not yet dropped (acquire drops them, at
  // most once a minute).
  std::size_t size() const;

 private:
  std::string new_id();
  void sweep(Clock::time_point now);
  void release(Entry& entry, std::chrono::minutes idle);

  Initializer initializer_;
  std::function<Clock::time_point()> now_;
  mutable std::mutex mu_;
  std::random_device random_;
  std::unordered_map<std::string, std::shared_ptr<Entry>> entries_;
  Clock::time_point next_sweep_;
};

}  // namespace host
