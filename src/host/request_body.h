// A request body for Beast's parser, held as a string that grows with the bytes that came:
// a client that announces a large Content-Length and sends little costs little.
#pragma once

#include <algorithm>
#include <boost/beast/core/buffers_range.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/optional.hpp>
#include <cstdint>
#include <string>

namespace host {

struct RequestBody {
  using value_type = std::string;

  class reader {
   public:
    template <bool isRequest, class Fields>
    reader(boost::beast::http::header<isRequest, Fields>&, value_type& body) : body_(body) {}

    void init(const boost::optional<std::uint64_t>& length, boost::beast::error_code& ec) {
      // The parser has checked the length against the body limit.
      announced_ = length ? static_cast<std::size_t>(*length) : 0;
      ec = {};
    }

    // Grows the room twice over as bytes come, never past the length announced.
    template <class ConstBufferSequence>
    std::size_t put(const ConstBufferSequence& buffers, boost::beast::error_code& ec) {
      const std::size_t needed = body_.size() + boost::beast::buffer_bytes(buffers);
      if (needed > body_.capacity()) {
        const std::size_t doubled = std::max(needed, 2 * body_.capacity());
        body_.reserve(announced_ >= needed ? std::min(doubled, announced_) : doubled);
      }
      for (auto b : boost::beast::buffers_range_ref(buffers)) {
        body_.append(static_cast<const char*>(b.data()), b.size());
      }
      ec = {};
      return boost::beast::buffer_bytes(buffers);
    }

    void finish(boost::beast::error_code& ec) { ec = {}; }

   private:
    value_type& body_;
    std::size_t announced_ = 0;
  };
};

}  // namespace host
