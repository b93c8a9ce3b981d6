// The sibling pages of the site that a page runs through Server.Execute.
#pragma once

#include <memory>

#include "platform/asp/server.h"

namespace host {

// The pages this host provides, built once and shared by every request:
// "ExecuteFlow.asp": takes the session's CurrentExecuteMethod and ExecuteString and leaves
// ReturnString as it finds it. Evaluating ExecuteString (a server script of the office system)
// is not done by this system, so the caller's default value stays what it put there.
std::shared_ptr<const platform::asp::SiblingPages> sibling_pages();

}  // namespace host
