// Looking up a site file without letting a request path leave the site folder.
#include "host/static_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace host {
namespace {

namespace fs = std::filesystem;

std::string content_type_of(const fs::path& file) {
  static const std::map<std::string, std::string> kTypes = {
      {".css", "text/css"},    {".js", "text/javascript"}, {".htm", "text/html"},
      {".html", "text/html"},  {".xml", "text/xml"},       {".txt", "text/plain"},
      {".gif", "image/gif"},   {".png", "image/png"},      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"}, {".ico", "image/x-icon"},   {".svg", "image/svg+xml"},
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

}  // namespace

StaticFile find_static_file(const std::string& site_folder, std::string_view url_path) {
  StaticFile result;
  if (url_path.find('\0') != std::string_view::npos) {
    result.outcome = StaticFile::Outcome::forbidden;
    return result;
  }
  fs::path relative;
  while (!url_path.empty()) {
    size_t end = url_path.find_first_of("/\\");
    std::string_view segment = url_path.substr(0, end);
    url_path = end == std::string_view::npos ? std::string_view() : url_path.substr(end + 1);
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      result.outcome = StaticFile::Outcome::forbidden;
      return result;
    }
    relative /= std::string(segment);
  }

  std::error_code error;
  const fs::path root = fs::canonical(site_folder, error);
  if (error || relative.empty()) return result;
  // canonical() follows symbolic links, so a link inside the site cannot lead outside it.
  const fs::path file = fs::canonical(root / relative, error);
  if (error) return result;
  if (!is_within(root, file)) {
    result.outcome = StaticFile::Outcome::forbidden;
    return result;
  }
  if (!fs::is_regular_file(file, error)) return result;
  std::ifstream in(file, std::ios::binary);
  if (!in) return result;
  result.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  result.content_type = content_type_of(file);
  result.outcome = StaticFile::Outcome::found;
  return result;
}

}  // namespace host
