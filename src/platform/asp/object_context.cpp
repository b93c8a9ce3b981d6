// The object context: the five intrinsic objects of a request by name.
#include "platform/asp/object_context.h"

#include "platform/asp/keys.h"

namespace platform::asp {

ObjectContext::ObjectContext(std::shared_ptr<Server> server,
                             std::shared_ptr<Application> application,
                             std::shared_ptr<Session> session, std::shared_ptr<Request> request,
                             std::shared_ptr<Response> response)
    : server_(std::move(server)),
      application_(std::move(application)),
      session_(std::move(session)),
      request_(std::move(request)),
      response_(std::move(response)) {
  server_->context_ = this;
}

ObjectContext::~ObjectContext() { server_->context_ = nullptr; }

vb::Variant ObjectContext::operator()(std::string_view name, vb::Here where) const {
  if (same_key(name, "Server")) return vb::ObjectRef(server_);
  if (same_key(name, "Application")) return vb::ObjectRef(application_);
  if (same_key(name, "Session")) return vb::ObjectRef(session_);
  if (same_key(name, "Request")) return vb::ObjectRef(request_);
  if (same_key(name, "Response")) return vb::ObjectRef(response_);
  vb::raise(vb::kInvalidProcedureCall, where);
}

}  // namespace platform::asp
