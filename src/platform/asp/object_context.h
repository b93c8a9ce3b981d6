// The object context of one request: hands out its five intrinsic objects by name.
#pragma once

#include <memory>
#include <string_view>

#include "platform/asp/application.h"
#include "platform/asp/request.h"
#include "platform/asp/response.h"
#include "platform/asp/server.h"
#include "platform/asp/session.h"
#include "vb/variant.h"

namespace platform::asp {

// Built by the host for one request. Neither copied nor moved: the server keeps a pointer to
// it to run sibling pages with the same objects. The session and application are shared with
// the host's stores; the other three belong to this request.
class ObjectContext {
 public:
  ObjectContext(std::shared_ptr<Server> server, std::shared_ptr<Application> application,
                std::shared_ptr<Session> session, std::shared_ptr<Request> request,
                std::shared_ptr<Response> response);
  ~ObjectContext();
  ObjectContext(const ObjectContext&) = delete;
  ObjectContext& operator=(const ObjectContext&) = delete;

  // The object named "Server", "Application", "Session", "Request" or "Response" (ASCII case
  // ignored) as an object Variant; any other name raises 5.
  vb::Variant operator()(std::string_view name, vb::Here where = vb::Here::current()) const;

  // The same object as its class T; 13 when name holds another class.
  template <class T>
  std::shared_ptr<T> get(std::string_view name, vb::Here where = vb::Here::current()) const {
    auto object = std::dynamic_pointer_cast<T>((*this)(name, where).object(where));
    if (!object) vb::raise(vb::kTypeMismatch, where);
    return object;
  }

  // The objects themselves, for the host and the sibling pages.
  Server& server() const { return *server_; }
  Application& application() const { return *application_; }
  Session& session() const { return *session_; }
  Request& request() const { return *request_; }
  Response& response() const { return *response_; }

 private:
  std::shared_ptr<Server> server_;
  std::shared_ptr<Application> application_;
  std::shared_ptr<Session> session_;
  std::shared_ptr<Request> request_;
  std::shared_ptr<Response> response_;
};

}  // namespace platform::asp
