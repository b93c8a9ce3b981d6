// Transfer-Encoding and Host checks of a request head.
#include "host/request_head.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "host/url_values.h"
#include "vb/ascii.h"

namespace host {
namespace {

namespace http = boost::beast::http;

std::string_view view(boost::beast::string_view text) { return {text.data(), text.size()}; }

std::string_view trim_blanks(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

bool is_chunked(std::string_view coding) { return vb::ascii_iequals(coding, "chunked"); }

// The codings of every Transfer-Encoding line, in order; empty list elements skipped.
std::vector<std::string_view> transfer_codings(const http::request_header<>& head) {
  std::vector<std::string_view> codings;
  auto [line, end] = head.equal_range(http::field::transfer_encoding);
  for (; line != end; ++line) {
    std::string_view value = view(line->value());
    while (!value.empty()) {
      const size_t comma = value.find(',');
      const std::string_view coding = trim_blanks(value.substr(0, comma));
      if (!coding.empty()) codings.push_back(coding);
      value.remove_prefix(comma == std::string_view::npos ? value.size() : comma + 1);
    }
  }
  return codings;
}

int transfer_encoding_refusal(const http::request_header<>& head, bool chunked) {
  if (head.count(http::field::transfer_encoding) == 0) return 0;
  const std::vector<std::string_view> codings = transfer_codings(head);
  // The parser frames by the last coding alone; anything else it would frame by length.
  if (head.version() < 11 || codings.empty() || !is_chunked(codings.back()) ||
      std::ranges::count_if(codings, is_chunked) != 1 || !chunked) {
    return 400;
  }
  return codings.size() == 1 ? 0 : 501;
}

bool names_one_server(std::string_view host) {
  return std::ranges::none_of(host,
                              [](unsigned char c) { return c <= ' ' || c == 0x7f || c == '@'; });
}

int host_refusal(const http::request_header<>& head) {
  const size_t hosts = head.count(http::field::host);
  if (hosts > 1 || (hosts == 0 && head.version() >= 11)) return 400;
  const std::string_view authority = split_target(view(head.target())).authority;
  if (!names_one_server(view(head[http::field::host])) ||
      authority.find('@') != std::string_view::npos) {
    return 400;
  }
  return 0;
}

}  // namespace

int head_refusal(const http::request_header<>& head, bool chunked) {
  if (const int refusal = transfer_encoding_refusal(head, chunked)) return refusal;
  return host_refusal(head);
}

}  // namespace host
