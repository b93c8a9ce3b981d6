// One read transaction per connection for the length of a request.
#pragma once

#include <memory>
#include <vector>

namespace platform::ado {

struct ConnectionLink;

// While a RequestScope lives on a thread, each Connection opened on that thread keeps its
// reads in one read transaction, begun by the first read and ended by a write (which runs in
// its own transaction), by BeginTrans, by Close, or at the latest when the scope ends, however
// the request ends. Outside a scope every statement runs in its own transaction. Scopes nest;
// the innermost one holds the connections opened while it lives.
class RequestScope {
 public:
  RequestScope();
  ~RequestScope();
  RequestScope(const RequestScope&) = delete;
  RequestScope& operator=(const RequestScope&) = delete;

  // The innermost scope of the calling thread, or nullptr.
  static RequestScope* current();
  // Lets the reads of `link` share a transaction until this scope ends.
  void enlist(const std::shared_ptr<ConnectionLink>& link);

 private:
  RequestScope* outer_;
  std::vector<std::weak_ptr<ConnectionLink>> links_;
};

}  // namespace platform::ado
