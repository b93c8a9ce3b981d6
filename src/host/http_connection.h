// One client connection of the HTTP host, over Boost.Beast: reads requests one after the
// other (pipelined ones too), hands each to the routes and writes the answers in order.
// Internal to the host: only http_server.cpp starts connections.
#pragma once

#include <atomic>
#include <boost/asio/ip/tcp.hpp>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

#include "host/body_budget.h"
#include "host/http_routes.h"
#include "host/serve_options.h"

namespace host {

// What every connection of one server shares; outlives the connections.
struct ConnectionContext {
  explicit ConnectionContext(const ConnectionLimits& limits)
      : limits(limits), body_budget(limits.body_memory) {}

  ConnectionLimits limits;
  // Hands a request to the routes on the worker pool; the reply may come on any thread.
  std::function<void(HttpRequest, Reply)> dispatch;
  // Told the bytes a connection gave back to the heap: a body dropped unanswered (cut by a limit,
  // or its client gone), a buffer shrunk after a large head, the connection itself when it
  // ends. Empty once the server stops (a connection may go with the server's event loop).
  std::function<void(std::size_t)> memory_freed;
  // Connections open, refused ones still answering included; each counts itself out.
  std::atomic<std::size_t> open{0};
  // Bytes of request bodies held now (limits.body_memory).
  BodyBudget body_budget;
  // Connections served, by client address; guarded by mu.
  std::mutex mu;
  std::unordered_map<std::string, std::size_t> by_address;
};

// Takes a new connection in, or refuses it by limits.max_connections and max_per_address:
// a refused one gets 503 "Service Unavailable: more than N connections[ from one address]" at
// once and is closed. A taken one is served until the client closes it, a time-out ends it or a
// request asks to close it. A request head larger than 64 KB gets 431, a body over the limit
// 413, a body whose next bytes do not fit the body budget 503 naming the limit met, a request
// that is not HTTP 400 (a chunk's size line or a body's trailers of more than 4 KB among them),
// a head that head_refusal refuses its status before its body is read; each closes the
// connection after the answer. A HEAD's answer comes without its body. An answer is sent in
// pieces under the same minimum rate as the request, counted by the bytes the client
// acknowledged, each piece within the rate's grace: a client that takes none of it is cut, and
// reset, once the grace is over.
void start_connection(boost::asio::ip::tcp::socket socket, ConnectionContext& context);

}  // namespace host
