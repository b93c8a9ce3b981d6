// Request values by key, searched collection by collection.
#include "platform/asp/request.h"

namespace platform::asp {

vb::Variant Request::find(const Values& values, std::string_view key) {
  auto it = values.find(key);
  if (it == values.end()) return {};
  return vb::Variant(it->second);
}

void Request::append(Values& values, std::string_view key, std::string_view value) {
  auto [it, inserted] = values.try_emplace(std::string(key), value);
  if (!inserted) it->second.append(", ").append(value);
}

vb::Variant Request::operator()(std::string_view key) const {
  for (const Values* values : {&query_string_, &form_, &cookies_, &server_variables_}) {
    auto it = values->find(key);
    if (it != values->end()) return vb::Variant(it->second);
  }
  return {};
}

vb::Variant Request::QueryString(std::string_view key) const { return find(query_string_, key); }
vb::Variant Request::Form(std::string_view key) const { return find(form_, key); }
vb::Variant Request::Cookies(std::string_view key) const { return find(cookies_, key); }
vb::Variant Request::ServerVariables(std::string_view key) const {
  return find(server_variables_, key);
}

void Request::add_query_string(std::string_view key, std::string_view value) {
  append(query_string_, key, value);
}
void Request::add_form(std::string_view key, std::string_view value) { append(form_, key, value); }
void Request::set_cookie(std::string_view key, std::string_view value) {
  cookies_.insert_or_assign(std::string(key), std::string(value));
}
void Request::set_server_variable(std::string_view key, std::string_view value) {
  server_variables_.insert_or_assign(std::string(key), std::string(value));
}

}  // namespace platform::asp
