// The request's values as the host decoded them: query string, form, cookies and server
// variables, read by key as the page-scripting host's Request object reads them.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/asp/keys.h"
#include "vb/variant.h"

namespace platform::asp {

// Filled by the host before the page runs, then read by the page; one request, one thread.
// Keys ignore ASCII letter case. Every value is a String Variant; a missing key gives Empty.
class Request final : public vb::Object {
 public:
  // Request(key): the first collection holding the key, searched in the order QueryString,
  // Form, Cookies, ServerVariables.
  vb::Variant operator()(std::string_view key) const;

  vb::Variant QueryString(std::string_view key) const;
  vb::Variant Form(std::string_view key) const;
  vb::Variant Cookies(std::string_view key) const;
  vb::Variant ServerVariables(std::string_view key) const;

  // Host side. A query-string or form key given more than once keeps all its values, joined
  // by ", " in the order given; a cookie or server variable set again is replaced.
  void add_query_string(std::string_view key, std::string_view value);
  void add_form(std::string_view key, std::string_view value);
  void set_cookie(std::string_view key, std::string_view value);
  void set_server_variable(std::string_view key, std::string_view value);

  std::string type_name() const override { return "Request"; }

 private:
  using Values = std::map<std::string, std::string, KeyLess>;
  static vb::Variant find(const Values& values, std::string_view key);
  static void append(Values& values, std::string_view key, std::string_view value);

  Values query_string_;
  Values form_;
  Values cookies_;
  Values server_variables_;
};

}  // namespace platform::asp
