// A connection's life: its admission, the request head and body under their time-outs, the
// request's deadline and rate and the shared body budget, the page on the worker pool, the
// answer, then the next request or the close.
#include "host/http_connection.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <boost/asio/post.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <memory>
#include <optional>

#include "host/request_body.h"
#include "host/request_head.h"

namespace host {
namespace {

namespace beast = boost::beast;
namespace http = beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kHeadLimit = 64 * 1024;
// What a chunk's size line, or a body's trailers, may hold before they end: a few extensions,
// a few fields.
constexpr std::size_t kFramingLimit = 4 * 1024;
// The bytes a body's read asks for; a connection's buffer larger than kKeptBuffer is shrunk
// once a head is read and before an idle wait.
constexpr std::size_t kBodyRead = 16 * 1024;
constexpr std::size_t kKeptBuffer = 16 * 1024;
// The kernel's send buffer of a connection (it doubles the value for its own accounting): a
// client that reads slowly holds no more of the kernel's memory than this.
constexpr int kSendBuffer = 64 * 1024;
// When the server is nearly full (the last 1/kKeptShare of its connections), an address that
// holds kFewConnections or more gets no more: a browser opens six at most.
constexpr std::size_t kKeptShare = 8;
constexpr std::size_t kFewConnections = 8;
// How long a connection closed after an error answer waits for the client to stop sending.
constexpr auto kLingerTime = std::chrono::seconds(2);

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(tcp::socket socket, ConnectionContext& context)
      : stream_(std::move(socket)), context_(context) {
    ++context_.open;
    beast::error_code ignored;
    stream_.socket().set_option(tcp::no_delay(true), ignored);
    stream_.socket().set_option(net::socket_base::send_buffer_size(kSendBuffer), ignored);
    const tcp::endpoint peer = stream_.socket().remote_endpoint(ignored);
    if (!ignored) remote_addr_ = peer.address().to_string();
  }
  ~Connection() {
    give_back_body();
    if (admitted_) {
      std::lock_guard lock(context_.mu);
      auto it = context_.by_address.find(remote_addr_);
      if (--it->second == 0) context_.by_address.erase(it);
    }
    freed(sizeof *this + buffer_.capacity());
    --context_.open;
  }

  // The first request's head must come within the head time-out of the connection's start.
  void start() {
    const std::string refusal = admit();
    admitted_ = refusal.empty();
    if (!admitted_) return refuse(refusal);
    read_head();
  }

 private:
  // "" when the connection may be served, counting it in its address; else the limit it met.
  std::string admit() {
    const ConnectionLimits& limits = context_.limits;
    const std::size_t open = context_.open;  // this one included
    const bool crowded = open > limits.max_connections - limits.max_connections / kKeptShare;
    const auto more_than = [](std::size_t count, const char* what) {
      return "more than " + std::to_string(count) + " connections" + what;
    };
    std::lock_guard lock(context_.mu);
    auto [it, added] = context_.by_address.try_emplace(remote_addr_, 0);
    const std::size_t held = it->second;
    std::string refusal;
    if (open > limits.max_connections) {
      refusal = more_than(limits.max_connections, "");
    } else if (held >= limits.max_per_address) {
      refusal = more_than(limits.max_per_address, " from one address");
    } else if (crowded && held >= kFewConnections) {
      refusal = more_than(kFewConnections, " from one address while the server is nearly full");
    }
    if (refusal.empty()) {
      ++it->second;
    } else if (added) {
      context_.by_address.erase(it);
    }
    return refusal;
  }

  // Between requests: the idle time-out until a byte of the next one comes (pipelined bytes
  // may already be here), then the head time-out.
  void wait_for_request() {
    if (buffer_.size() > 0) return read_head();
    shrink_buffer();
    stream_.expires_after(context_.limits.idle_timeout);
    stream_.async_read_some(buffer_.prepare(4096),
                            [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                              if (ec) return;  // the client left or stayed silent: close
                              self->buffer_.commit(n);
                              self->read_head();
                            });
  }

  void read_head() {
    parser_.emplace();
    head_ = false;
    parser_->header_limit(kHeadLimit);
    parser_->body_limit(context_.limits.max_body);
    started_ = Clock::now();
    moved_ = 0;
    arm_timer(context_.limits.head_timeout);
    http::async_read_header(stream_, buffer_, *parser_,
                            [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                              if (ec) return self->fail(ec);
                              self->moved_ += n;
                              self->shrink_buffer();
                              self->version_ = self->parser_->get().version();
                              if (self->refused_head()) return;
                              if (self->expects_continue()) return self->send_continue();
                              self->read_body();
                            });
  }

  // Answers a head that HTTP says to refuse (and closes), before any of its body is read.
  bool refused_head() {
    head_ = parser_->get().method() == http::verb::head;
    const int status = head_refusal(parser_->get(), parser_->chunked());
    if (status == 0) return false;
    drop_body();
    answer_and_close(plain_answer(status));
    return true;
  }

  // The next read's or write's time-out: `wait` from now, cut to the deadline of the request (or
  // its answer) and to the time its bytes moved so far buy at the minimum rate.
  void arm_timer(std::chrono::milliseconds wait) {
    const ConnectionLimits& limits = context_.limits;
    Clock::time_point at = std::min(Clock::now() + wait, started_ + limits.request_timeout);
    if (limits.min_rate > 0) {
      at = std::min(at, started_ + limits.rate_grace +
                            std::chrono::milliseconds(moved_ * 1000 / limits.min_rate));
    }
    stream_.expires_at(at);
  }

  // Counts `bytes` given back toward the heap trim; the server may be gone when the last
  // connections close.
  void freed(std::size_t bytes) {
    if (context_.memory_freed) context_.memory_freed(bytes);
  }

  // Gives back what the buffer holds beyond its bytes, when that is much.
  void shrink_buffer() {
    const std::size_t capacity = buffer_.capacity();
    if (capacity <= kKeptBuffer) return;
    buffer_.shrink_to_fit();
    freed(capacity - buffer_.capacity());
  }

  // Charges what the body holds since the last charge to the shared budget, its framing not
  // yet parsed (a part of a chunk's size line, or of the trailers) included; "" when it fits,
  // else the limit it met.
  std::string charge_body() {
    const std::size_t framing = parser_->is_done() ? 0 : buffer_.size();
    const std::size_t holds = parser_->get().body().size() + framing;
    if (holds <= body_.held) return "";
    return context_.body_budget.take(remote_addr_, body_, holds - body_.held);
  }

  void give_back_body() { context_.body_budget.give_back(remote_addr_, body_); }

  // Frees a body that will not be answered.
  void drop_body() {
    const std::size_t size = parser_ ? parser_->get().body().size() : 0;
    parser_.reset();
    give_back_body();
    freed(size);
  }

  bool expects_continue() const {
    const auto& request = parser_->get();
    return !parser_->is_done() && beast::iequals(request[http::field::expect], "100-continue");
  }

  void send_continue() {
    continue_.emplace(http::status::continue_, version_);
    stream_.expires_after(context_.limits.body_timeout);
    http::async_write(stream_, *continue_,
                      [self = shared_from_this()](beast::error_code ec, std::size_t) {
                        if (!ec) self->read_body();
                      });
  }

  // Parses the body's bytes in the buffer, then reads more until it is done. Each read must bring
  // bytes within the body time-out; a chunk's size line or the trailers that pass kFramingLimit
  // unended are refused.
  void read_body() {
    body_.announced.reset();
    if (!parser_->chunked()) body_.announced = parser_->content_length().value_or(0);
    parser_->eager(true);
    read_more_body();
  }

  void read_more_body() {
    if (buffer_.size() > 0 && !parser_->is_done()) {
      beast::error_code ec;
      buffer_.consume(parser_->put(buffer_.data(), ec));
      if (ec && ec != http::error::need_more) return fail(ec);
    }
    const std::string refusal = charge_body();
    if (!refusal.empty()) return refuse(refusal);
    if (parser_->is_done()) return dispatch();
    if (buffer_.size() > kFramingLimit) return fail(http::error::buffer_overflow);
    arm_timer(context_.limits.body_timeout);
    stream_.async_read_some(buffer_.prepare(kBodyRead),
                            [self = shared_from_this()](beast::error_code ec, std::size_t n) {
                              if (ec) return self->fail(ec);
                              self->buffer_.commit(n);
                              self->moved_ += n;
                              self->read_more_body();
                            });
  }

  // A request that could not be read: answered when the fault is the client's, else closed.
  void fail(beast::error_code ec) {
    drop_body();
    if (ec == http::error::body_limit) return answer_and_close(plain_answer(413));
    if (ec == http::error::header_limit) return answer_and_close(plain_answer(431));
    // The parser's other errors are faults in what the client sent.
    if (ec.category() == http::make_error_code(http::error::bad_target).category() &&
        ec != http::error::end_of_stream && ec != http::error::partial_message) {
      return answer_and_close(plain_answer(400));
    }
    // Closed by the client, timed out or reset: nobody to answer.
  }

  void dispatch() {
    http::request<RequestBody> request = parser_->release();
    keep_alive_ = request.keep_alive();
    HttpRequest plain;
    plain.method = std::string(request.method_string());
    plain.target = std::string(request.target());
    plain.content_type = std::string(request[http::field::content_type]);
    plain.cookie = std::string(request[http::field::cookie]);
    plain.host = std::string(request[http::field::host]);
    plain.body = std::move(request.body());
    plain.remote_addr = remote_addr_;
    // No time-out while the page runs: the client waits for its answer.
    stream_.expires_never();
    context_.dispatch(std::move(plain), [self = shared_from_this()](HttpAnswer answer) {
      auto executor = self->stream_.get_executor();
      net::post(executor, [self = std::move(self), answer = std::move(answer)]() mutable {
        self->write(std::move(answer));
      });
    });
  }

  void write(HttpAnswer answer) {
    give_back_body();
    if (answer.file.is_open()) return send<http::file_body>(answer, std::move(answer.file));
    send<http::string_body>(answer, std::move(answer.body));
  }

  // An answer on its way, with what reads it out.
  template <class Body>
  struct Outgoing {
    explicit Outgoing(http::response<Body> whole) : message(std::move(whole)) {}
    http::response<Body> message;
    http::response_serializer<Body> serializer{message};
  };

  template <class Body>
  void send(const HttpAnswer& answer, typename Body::value_type body) {
    http::response<Body> message(static_cast<http::status>(answer.status), version_);
    for (const auto& [name, value] : answer.headers) message.insert(name, value);
    message.body() = std::move(body);
    message.keep_alive(keep_alive_);
    message.prepare_payload();
    // A HEAD is answered as a GET, its Content-Length included, without the body.
    if (head_) return start_sending(http::response<http::empty_body>(message.base()));
    start_sending(std::move(message));
  }

  template <class Body>
  void start_sending(http::response<Body> message) {
    auto out = std::make_shared<Outgoing<Body>>(std::move(message));
    started_ = Clock::now();
    moved_ = 0;
    written_ = 0;
    // A connection cut while its answer goes is reset: the bytes the client did not take leave
    // the kernel with it, instead of staying behind the close for minutes.
    reset_on_close(true);
    send_more(std::move(out));
  }

  // Each piece of the answer must be taken within the body time-out, and, under a minimum rate,
  // within its grace; the whole at the minimum rate, counted by the bytes the client
  // acknowledged: those still in the kernel's send queue buy no time.
  template <class Body>
  void send_more(std::shared_ptr<Outgoing<Body>> out) {
    const ConnectionLimits& limits = context_.limits;
    arm_timer(limits.min_rate > 0 ? std::min(limits.body_timeout, limits.rate_grace)
                                  : limits.body_timeout);
    http::async_write_some(
        stream_, out->serializer,
        [self = shared_from_this(), out](beast::error_code ec, std::size_t n) mutable {
          if (ec) return;
          self->written_ += n;
          self->moved_ = self->written_ - std::min(self->written_, self->queued());
          if (!out->serializer.is_done()) return self->send_more(std::move(out));
          self->reset_on_close(false);
          if (self->keep_alive_) return self->wait_for_request();
          self->linger();
        });
  }

  void reset_on_close(bool reset) {
    beast::error_code ignored;
    stream_.socket().set_option(net::socket_base::linger(reset, 0), ignored);
  }

  // The bytes written that the client has not acknowledged yet.
  std::size_t queued() {
    int bytes = 0;
    if (ioctl(stream_.socket().native_handle(), SIOCOUTQ, &bytes) != 0) return 0;
    return static_cast<std::size_t>(bytes);
  }

  // 503 naming the limit met, and the close.
  void refuse(const std::string& limit) {
    drop_body();
    HttpAnswer answer = plain_answer(503);
    answer.body += ": " + limit;
    answer_and_close(std::move(answer));
  }

  void answer_and_close(HttpAnswer answer) {
    keep_alive_ = false;
    write(std::move(answer));
  }

  // Closes our side, then reads what the client still sends until it closes too (or for a
  // short while), so that unread bytes do not reset the connection before it read the answer.
  void linger() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.expires_after(kLingerTime);
    drain();
  }

  void drain() {
    buffer_.clear();
    stream_.async_read_some(buffer_.prepare(16 * 1024),
                            [self = shared_from_this()](beast::error_code ec, std::size_t) {
                              if (!ec) self->drain();
                            });
  }

  beast::tcp_stream stream_;
  ConnectionContext& context_;
  std::string remote_addr_;
  bool admitted_ = false;
  // The request being read, or its answer being written: when it began, the bytes of it read
  // or acknowledged so far, and of the answer the bytes written.
  Clock::time_point started_;
  std::size_t moved_ = 0;
  std::size_t written_ = 0;
  // What the request's body holds of the shared budget.
  BodyBudget::Body body_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<RequestBody>> parser_;
  std::optional<http::response<http::empty_body>> continue_;
  unsigned version_ = 11;
  bool head_ = false;  // the request is a HEAD
  bool keep_alive_ = true;
};

}  // namespace

void start_connection(tcp::socket socket, ConnectionContext& context) {
  std::make_shared<Connection>(std::move(socket), context)->start();
}

}  // namespace host
