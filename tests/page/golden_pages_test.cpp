// Every demo page, byte for byte: each page is rendered on a fresh demo database for the demo
// user and compared with its golden copy in tests/golden/pages. A change that alters a page on
// purpose regenerates the copies with FLOWFORM_UPDATE_GOLDEN=1 (see tests/golden/README.md) and
// commits them with the change, so the diff shows what the pages gained.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/demo.h"
#include "page/demo_database.h"

namespace page_test {
namespace {

namespace fs = std::filesystem;

// A golden page: tests/golden/pages/<name>.html holds the page of `query`.
struct GoldenPage {
  std::string name;
  std::string query;
};

// The names the first golden pages were given; every other page is named from its address.
const std::map<std::string, std::string> kFirstNames = {
    {"BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2", "todo"},
    {"LiuChengID=1", "new_flow"},
    {"LiuChengID=2", "privileged_new_flow"},
    {"BiaoDanID=1&BiaoDanRecordID=3&JieDianID=2", "hostile_read_only"},
    {"BiaoDanID=1&BiaoDanRecordID=4&JieDianID=11", "hostile_editable"},
    {"BiaoDanID=2&BiaoDanRecordID=2&JieDianID=9", "hostile_document"},
};

// "BanLiID=2&BiaoDanID=1&..." gives "step2_form1_..."; the keys of the page's address read as
// words.
std::string name_from_query(const std::string& query) {
  static const std::map<std::string, std::string> kWords = {
      {"BanLiID", "step"},   {"BiaoDanID", "form"},  {"BiaoDanRecordID", "record"},
      {"JieDianID", "node"}, {"LiuChengID", "flow"},
  };
  std::string name;
  std::istringstream pairs(query);
  for (std::string pair; std::getline(pairs, pair, '&');) {
    const auto equals = pair.find('=');
    const auto word = kWords.find(pair.substr(0, equals));
    EXPECT_NE(word, kWords.end()) << "no word for " << pair;
    if (word == kWords.end()) continue;
    name += (name.empty() ? "" : "_") + word->second + pair.substr(equals + 1);
  }
  return name;
}

// Every page the demo prints for its user on a fresh demo database, then the two pages that stop
// early: no keys, and a key that is not a number.
std::vector<GoldenPage> golden_pages() {
  const DemoDatabase db;
  std::vector<GoldenPage> pages;
  for (const host::DemoPage& demo : host::demo_pages(db.path())) {
    const std::string query = demo.path.substr(demo.path.find('?') + 1);
    const auto first = kFirstNames.find(query);
    pages.push_back({first != kFirstNames.end() ? first->second : name_from_query(query), query});
  }
  pages.push_back({"no_keys", ""});
  pages.push_back({"bad_key", "BiaoDanID=1x&BiaoDanRecordID=1&JieDianID=2"});
  return pages;
}

fs::path golden_folder() {
  return fs::path(__FILE__).parent_path().parent_path() / "golden" / "pages";
}

bool updating() {
  const char* flag = std::getenv("FLOWFORM_UPDATE_GOLDEN");
  return flag != nullptr && std::string(flag) == "1";
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where two texts part, with a little of each around it.
std::string first_difference(const std::string& expected, const std::string& actual) {
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const std::size_t from = at < 60 ? 0 : at - 60;
  std::ostringstream out;
  out << "first difference at byte " << at << "\n  golden: ..." << expected.substr(from, 160)
      << "\n  now:    ..." << actual.substr(from, 160);
  return out.str();
}

// The page rendered on a fresh demo database (a file of its own, as a pooled session may go on
// reading a file replaced under the same name), through the embedded or the SQLite ODBC driver.
std::string render_demo_page(const GoldenPage& page, bool odbc = false) {
  const DemoDatabase db;
  host::RenderOptions o = db.options(page.query);
  if (odbc) o.connect = "Driver=SQLite3;Database=" + db.path() + ";Timeout=5000";
  return host::render_once(o).body;
}

// Through either driver.
TEST(GoldenPages, EveryDemoPageIsByteForByteItsGoldenCopy) {
  const std::vector<GoldenPage> pages = golden_pages();
  ASSERT_GE(pages.size(), 15u);
  for (const GoldenPage& page : pages) {
    const fs::path golden = golden_folder() / (page.name + ".html");
    const std::string body = render_demo_page(page);
    if (updating()) {
      fs::create_directories(golden.parent_path());
      std::ofstream(golden, std::ios::binary) << body;
      continue;
    }
    ASSERT_TRUE(fs::exists(golden)) << golden << " is missing; see tests/golden/README.md";
    const std::string expected = read_file(golden);
    EXPECT_TRUE(expected == body) << page.name << ": " << first_difference(expected, body);
    const std::string odbc = render_demo_page(page, true);
    EXPECT_TRUE(expected == odbc) << page.name << " (ODBC): " << first_difference(expected, odbc);
  }
}

}  // namespace
}  // namespace page_test
