// The response body of one request, buffered as UTF-8; the host encodes and sends it when the
// page has ended.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "vb/variant.h"

namespace platform::asp {

// One request, one thread. Writing appends to one buffer; nothing is sent before the page ends.
class Response final : public vb::Object {
 public:
  // Appends the value as text (CStr's form: True, 12, 2011-9-2); Null and Empty write nothing.
  // An object writes its default value (a Field its Value).
  void write(const vb::Variant& value, vb::Here where = vb::Here::current());
  void write(std::string_view text) { body_.append(text); }
  void write(const char* text) { body_.append(text); }
  void write(const std::string& text) { body_.append(text); }

  // Minutes until the browser's copy expires; unset when the page never set it (0: at once).
  std::optional<long> Expires;

  // Everything written so far, in order.
  const std::string& body() const { return body_; }
  // Host side, once the page has ended: hands the body over, leaving the response empty.
  std::string take_body() { return std::move(body_); }

  std::string type_name() const override { return "Response"; }

 private:
  std::string body_;
};

}  // namespace platform::asp
