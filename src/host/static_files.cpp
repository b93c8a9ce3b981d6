// Looking up a site file without letting a request path leave the site folder.
#include "host/static_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <vector>

namespace host {
namespace {

namespace fs = std::filesystem;

std::string content_type_of(const fs::path& file) {
  static const std::map<std::string, std::string> kTypes = {
      {".css", "text/css"},    {".js", "text/javascript"}, {".htm", "text/html"},
      {".html", "text/html"},  {".xml", "text/xml"},       {".txt", "text/plain"},
      {".gif", "image/gif"},   {".png", "image/png"},      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"}, {".ico", "image/x-icon"},   {".svg", "image/svg+xml"},
      {".asp", "text/html"},  // the site's own pages, as its server sent them
  };
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto it = kTypes.find(extension);
  return it != kTypes.end() ? it->second : "application/octet-stream";
}

bool is_within(const fs::path& root, const fs::path& path) {
  return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

bool same_ignoring_ascii_case(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

// The entry `name` of `folder`, matched as the office site's server matched paths: exactly when
// there is such an entry, else regardless of ASCII letter case ("/include/" finds "Include").
// Empty when there is none.
fs::path child_named(const fs::path& folder, std::string_view name) {
  std::error_code error;
  fs::path exact = folder / std::string(name);
  if (fs::exists(fs::symlink_status(exact, error))) return exact;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (same_ignoring_ascii_case(it->path().filename().string(), name)) return it->path();
  }
  return {};
}

}  // namespace

StaticFile find_static_file(const std::string& site_folder, std::string_view url_path) {
  StaticFile result;
  if (url_path.find('\0') != std::string_view::npos) {
    result.outcome = StaticFile::Outcome::forbidden;
    return result;
  }
  std::vector<std::string_view> segments;
  while (!url_path.empty()) {
    size_t end = url_path.find_first_of("/\\");
    std::string_view segment = url_path.substr(0, end);
    url_path = end == std::string_view::npos ? std::string_view() : url_path.substr(end + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      result.outcome = StaticFile::Outcome::forbidden;
      return result;
    }
    segments.push_back(segment);
  }

  std::error_code error;
  const fs::path root = fs::canonical(site_folder, error);
  if (error || segments.empty()) return result;
  fs::path found = root;
  for (std::string_view segment : segments) {
    found = child_named(found, segment);
    if (found.empty()) return result;
  }
  // canonical() follows symbolic links, so a link inside the site cannot lead outside it.
  const fs::path file = fs::canonical(found, error);
  if (error) return result;
  if (!is_within(root, file)) {
    result.outcome = StaticFile::Outcome::forbidden;
    return result;
  }
  if (!fs::is_regular_file(file, error)) return result;
  boost::beast::error_code not_opened;
  result.file.open(file.c_str(), boost::beast::file_mode::scan, not_opened);
  if (not_opened) return result;
  result.content_type = content_type_of(file);
  result.outcome = StaticFile::Outcome::found;
  return result;
}

}  // namespace host
