// The site's static files (style sheets, scripts, images) as the HTTP host serves them.
#pragma once

#include <boost/beast/http/file_body.hpp>
#include <string>
#include <string_view>

namespace host {

struct StaticFile {
  enum class Outcome { found, not_found, forbidden };
  Outcome outcome = Outcome::not_found;
  // The file, open for reading when found: its bytes are read as they are sent, a piece at a
  // time, never held whole.
  boost::beast::http::file_body::value_type file;
  std::string content_type;  // by the file name's extension; application/octet-stream else
};

// The regular file that the URL path (percent-decoded, starting with "/") names under
// site_folder. forbidden when the path has a ".." segment or a NUL byte, or when it resolves
// (through symbolic links) to a place outside the folder; not_found when there is no such
// regular file (directories included). Thread-safe.
StaticFile find_static_file(const std::string& site_folder, std::string_view url_path);

}  // namespace host
