// Server utilities: sibling pages, path mapping and HTML encoding.
#include "platform/asp/server.h"

#include <vector>

#include "platform/asp/object_context.h"
#include "vb/builtins.h"

namespace platform::asp {
namespace {

constexpr long kServerFailure = -2147467259;  // 0x80004005, as the host reports its own failures

// Appends the segments of path ("\" counts as "/") to segments, resolving "." and "..".
// Returns false when ".." would climb above the first segment.
bool push_segments(std::string_view path, std::vector<std::string_view>& segments) {
  while (!path.empty()) {
    const auto end = path.find_first_of("/\\");
    const std::string_view segment = path.substr(0, end);
    path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (segments.empty()) return false;
      segments.pop_back();
    } else {
      segments.push_back(segment);
    }
  }
  return true;
}

}  // namespace

Server::Server(std::string site_folder, std::string page_folder,
               std::shared_ptr<const SiblingPages> pages)
    : site_folder_(std::move(site_folder)),
      page_folder_(std::move(page_folder)),
      pages_(std::move(pages)) {}

void Server::Execute(std::string_view path, vb::Here where) {
  const SiblingPage* page = nullptr;
  if (pages_) {
    auto it = pages_->find(path);
    if (it != pages_->end()) page = &it->second;
  }
  if (page == nullptr || context_ == nullptr) {
    throw vb::VbError(kServerFailure, "The call to Server.Execute failed while loading the page.",
                      where);
  }
  (*page)(*context_);
}

std::string Server::MapPath(std::string_view path, vb::Here where) const {
  std::vector<std::string_view> segments;
  const bool from_root = !path.empty() && (path.front() == '/' || path.front() == '\\');
  bool inside = from_root || push_segments(page_folder_, segments);
  inside = inside && push_segments(path, segments);
  if (!inside) {
    throw vb::VbError(kServerFailure,
                      "The '..' characters are not allowed in the Path parameter for the "
                      "MapPath method.",
                      where);
  }
  std::string mapped = site_folder_;
  if (mapped.empty() || mapped.back() != '/') mapped += '/';
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) mapped += '/';
    mapped.append(segments[i]);
  }
  return mapped;
}

std::string Server::HTMLEncode(const vb::Variant& value, vb::Here where) {
  vb::Variant holder;
  const vb::Variant& v = value.value_ref(holder, where);
  if (v.is_null() || v.is_empty()) return {};
  std::string converted;
  const std::string_view text = v.is_string() ? v.str() : (converted = vb::CStr(v, where));
  std::string encoded;
  encoded.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        encoded += "&amp;";
        break;
      case '<':
        encoded += "&lt;";
        break;
      case '>':
        encoded += "&gt;";
        break;
      case '"':
        encoded += "&quot;";
        break;
      default:
        encoded += c;
    }
  }
  return encoded;
}

}  // namespace platform::asp
