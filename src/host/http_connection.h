// One client connection of the HTTP host, over Boost.Beast: reads requests one after the
// other (pipelined ones too), hands each to the routes and writes the answers in order.
// Internal to the host: only http_server.cpp starts connections.
#pragma once

#include <atomic>
#include <boost/asio/ip/tcp.hpp>
#include <cstddef>
#include <functional>

#include "host/http_routes.h"
#include "host/serve_options.h"

namespace host {

// What every connection of one server shares; outlives the connections.
struct ConnectionContext {
  ConnectionLimits limits;
  // Hands a request to the routes on the worker pool; the reply may come on any thread.
  std::function<void(HttpRequest, Reply)> dispatch;
  // Connections open; a connection counts itself out when it ends.
  std::atomic<std::size_t> open{0};
};

// Serves the connection until the client closes it, a time-out ends it or a request asks to
// close it. The caller has counted it into context.open. A request head larger than 64 KB
// gets 431, a body over the limit 413, a request that is not HTTP 400; each closes the
// connection after the answer.
void start_connection(boost::asio::ip::tcp::socket socket, ConnectionContext& context);

// Answers 503 "Service Unavailable" at once and closes: the server is full. The caller has
// counted it into context.open.
void refuse_connection(boost::asio::ip::tcp::socket socket, ConnectionContext& context);

}  // namespace host
