// The HTTP host over Boost.Beast: a few threads accept and serve every connection, pages run on
// a pool of worker threads.
#include "host/http_server.h"

#include <sys/resource.h>

#include <algorithm>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/thread_pool.hpp>
#include <ostream>
#include <thread>
#include <vector>

#include "host/http_connection.h"
#include "host/http_routes.h"
#include "host/memory_return.h"

namespace host {
namespace {

namespace net = boost::asio;
using tcp = net::ip::tcp;

// File descriptors kept for the database, the event log and the site's files.
constexpr rlim_t kSpareDescriptors = 64;
// Raises the process's open-file limit as far as it may go, and returns the connections that
// fit under it.
std::size_t connections_the_system_allows(std::size_t wanted) {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return wanted;
  if (limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    getrlimit(RLIMIT_NOFILE, &limit);
  }
  if (limit.rlim_cur == RLIM_INFINITY) return wanted;
  const rlim_t usable = limit.rlim_cur > 2 * kSpareDescriptors ? limit.rlim_cur - kSpareDescriptors
                                                               : limit.rlim_cur / 2;
  return std::min<std::size_t>(wanted, usable);
}

}  // namespace

struct HttpServer::Network {
  Network(std::size_t threads, const ConnectionLimits& limits)
      : context(limits), workers(threads) {}
  // The connections still open go with the event loop, after the heap trim.
  ~Network() { context.memory_freed = nullptr; }

  // Declared first, destroyed last: every connection counts itself out of it.
  ConnectionContext context;
  net::io_context io;
  tcp::acceptor acceptor{io};
  net::steady_timer retry{io};
  // Told of the bodies freed by the workers and the connections; both stop before it goes.
  MemoryReturn memory{io.get_executor()};
  net::thread_pool workers;

  void accept() {
    acceptor.async_accept(net::make_strand(io),
                          [this](boost::system::error_code ec, tcp::socket socket) {
                            if (ec == net::error::operation_aborted) return;
                            if (ec) {
                              // Out of file descriptors (or another passing fault): the pending
                              // connection stays queued; try again shortly instead of spinning on
                              // it.
                              retry.expires_after(std::chrono::milliseconds(50));
                              retry.async_wait([this](boost::system::error_code waited) {
                                if (!waited) accept();
                              });
                              return;
                            }
                            start_connection(std::move(socket), context);
                            accept();
                          });
  }
};

std::string base_url(const Listen& listen, int port) {
  const bool ipv6 = listen.host.find(':') != std::string::npos;
  return "http://" + (ipv6 ? "[" + listen.host + "]" : listen.host) + ":" + std::to_string(port);
}

HttpServer::HttpServer(ServeOptions options)
    : options_(std::move(options)),
      application_(std::make_shared<platform::asp::Application>()),
      network_(std::make_unique<Network>(
          options_.threads != 0 ? options_.threads
                                : std::max(1u, std::thread::hardware_concurrency()),
          options_.limits)),
      sessions_(SessionStore::Options{
          .initializer = options_.new_session,
          .max_sessions = options_.max_sessions,
          .max_anonymous_sessions = options_.max_anonymous_sessions,
          .post = [workers = &network_->workers](
                      std::function<void()> task) { net::post(*workers, std::move(task)); }}),
      routes_(std::make_unique<HttpRoutes>(options_, application_, sessions_)) {
  for (const auto& [key, value] : options_.application_values) application_->set(key, value);
  if (!options_.page_runner) {
    options_.page_runner = [settings = options_.settings](
                               const std::shared_ptr<platform::asp::Application>& application,
                               const std::shared_ptr<platform::asp::Session>& session,
                               const RequestInput& input) {
      return run_request(settings, application, session, input);
    };
  }
  network_->context.dispatch = [this](HttpRequest request, Reply reply) {
    net::post(network_->workers,
              [this, request = std::move(request), reply = std::move(reply)]() mutable {
                const std::size_t body = request.body.size();
                routes_->handle(std::move(request), std::move(reply));
                network_->memory.freed(body);
              });
  };
  network_->context.memory_freed = [this](std::size_t bytes) { network_->memory.freed(bytes); };
}

HttpServer::~HttpServer() {
  stop();
  // The pages still running (and the requests waiting for their sessions) end before the
  // sessions and the routes go.
  network_->workers.join();
}

int HttpServer::bind(std::string* why) {
  boost::system::error_code ec;
  const Listen& at = options_.listen;
  tcp::resolver resolver(network_->io);
  auto found = resolver.resolve(at.host, std::to_string(at.port),
                                tcp::resolver::numeric_service | tcp::resolver::passive, ec);
  tcp::acceptor& acceptor = network_->acceptor;
  if (!ec && found.empty()) ec = net::error::host_not_found;
  if (!ec) acceptor.open(found.begin()->endpoint().protocol(), ec);
  // Lets a restarted server take its port back from connections still closing; unlike
  // SO_REUSEPORT it never lets two servers listen on one port.
  if (!ec) acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
  if (!ec) acceptor.bind(found.begin()->endpoint(), ec);
  if (!ec) acceptor.listen(net::socket_base::max_listen_connections, ec);
  if (ec) {
    if (why) *why = ec.message();
    boost::system::error_code ignored;
    acceptor.close(ignored);
    return -1;
  }
  network_->context.limits.max_connections =
      connections_the_system_allows(options_.limits.max_connections);
  return acceptor.local_endpoint().port();
}

bool HttpServer::run() {
  if (!network_->acceptor.is_open()) return false;
  network_->io.restart();
  network_->accept();
  running_ = true;
  // A quarter of the cores wait on the connections; the pages have a pool of their own.
  const unsigned others = std::thread::hardware_concurrency() / 4;
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < others; ++i) threads.emplace_back([this] { network_->io.run(); });
  network_->io.run();
  for (std::thread& thread : threads) thread.join();
  running_ = false;
  return true;
}

bool HttpServer::is_running() const { return running_; }

void HttpServer::stop() {
  if (!running_) return;
  net::post(network_->io, [this] {
    boost::system::error_code ignored;
    network_->acceptor.close(ignored);
    network_->io.stop();
  });
}

int HttpServer::serve(std::ostream& err, const std::function<void(int port)>& on_listening) {
  std::string why;
  int port = bind(&why);
  if (port < 0) {
    err << "flowform: cannot listen on " << base_url(options_.listen, options_.listen.port) << ": "
        << why << "\n";
    return 1;
  }
  on_listening(port);
  if (!run()) {
    err << "flowform: the server stopped with an error\n";
    return 1;
  }
  return 0;
}

}  // namespace host
