// Fuzzes what the host reads from a request: URL-encoded query strings and bodies, cookie
// headers and static-file paths. Values read as code page 936 are valid text, and no path
// serves a file from outside the site folder.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fuzz/fuzz_support.h"
#include "host/static_files.h"
#include "host/url_values.h"

namespace {

namespace fs = std::filesystem;

// A site folder with two files, next to a secret file that a symbolic link in the site names.
struct Site {
  fs::path root;
  std::string folder;

  Site() {
    char pattern[] = "/tmp/flowform-fuzz-XXXXXX";
    root = mkdtemp(pattern);
    fs::create_directories(root / "site" / "css");
    std::ofstream(root / "site" / "index.htm") << "site";
    std::ofstream(root / "site" / "css" / "a.css") << "site";
    std::ofstream(root / "secret.txt") << "secret";
    fs::create_symlink(root / "secret.txt", root / "site" / "link.txt");
    folder = (root / "site").string();
  }
  ~Site() { fs::remove_all(root); }
};

// Values read as code page 936 are valid text.
void check_valid(const host::ValuePairs& pairs) {
  for (const auto& [name, value] : pairs) {
    fuzz::require(fuzz::valid_utf8(name) && fuzz::valid_utf8(value));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Site site;
  const std::string_view text(fuzz::as_text(data, size));
  check_valid(host::parse_urlencoded(text, host::Charset::cp936));
  check_valid(host::parse_cookie_header(text, host::Charset::cp936));
  // UTF-8 values are taken as sent: the parsers need only survive them.
  host::parse_urlencoded(text, host::Charset::utf8);
  host::parse_cookie_header(text, host::Charset::utf8);

  const host::StaticFile file = host::find_static_file(site.folder, text);
  if (file.outcome == host::StaticFile::Outcome::found)
    fuzz::require(file.file.size() == 4);  // "site"
  return 0;
}
