// The request's connections and the end of their read transactions.
#include "platform/ado/request_scope.h"

#include "platform/ado/connection_link.h"

namespace platform::ado {
namespace {
thread_local RequestScope* innermost = nullptr;
}  // namespace

RequestScope::RequestScope() : outer_(innermost) { innermost = this; }

RequestScope::~RequestScope() {
  for (const auto& weak : links_) {
    if (std::shared_ptr<ConnectionLink> link = weak.lock()) link->driver->share_reads(false);
  }
  innermost = outer_;
}

RequestScope* RequestScope::current() { return innermost; }

void RequestScope::enlist(const std::shared_ptr<ConnectionLink>& link) {
  link->driver->share_reads(true);
  links_.push_back(link);
}

}  // namespace platform::ado
