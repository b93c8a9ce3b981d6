// The running line numbers of the error texts: every source file of the page has a range of
// its own, and a line number names one line of one file.
#include "library/error_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace library_test {
namespace {

const std::filesystem::path kSourceDir =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "src";

long lines_of(const std::filesystem::path& file) {
  std::ifstream in(file);
  long lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

TEST(ErrorLines, EveryFileOfThePageHasARangeOfItsOwn) {
  std::set<std::string> registered;
  long previous = 0;
  for (const library::LineRange& range : library::line_ranges()) {
    EXPECT_TRUE(registered.insert(std::string(range.file)).second) << range.file;
    EXPECT_GT(range.start, previous) << range.file << ": ranges must rise in table order";
    EXPECT_EQ(range.start % library::kLinesPerFile, 0) << range.file;
    previous = range.start;
    const std::filesystem::path file = kSourceDir / range.file;
    EXPECT_TRUE(std::filesystem::exists(file)) << range.file << " is gone: drop its row";
    EXPECT_LT(lines_of(file), library::kLinesPerFile) << range.file << " outgrows its range";
  }
  for (const char* folder : {"library", "frames", "handling", "page"}) {
    if (!std::filesystem::exists(kSourceDir / folder)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSourceDir / folder)) {
      if (entry.path().extension() != ".cpp") continue;
      const std::string file = entry.path().lexically_relative(kSourceDir).generic_string();
      EXPECT_TRUE(registered.contains(file))
          << file << " has no line range: add a row to src/library/error_lines.cpp";
    }
  }
}

TEST(ErrorLines, ALineOfAFileWithARangeIsCountedFromItsStart) {
  const struct {
    const char* file;
    long line;
    long expected;
  } cases[] = {
      {"/work/flowform/src/page/entry.cpp", 24, 200024},
      {"library/text.cpp", 999, 12999},
      {"/src/page/scripts/head.cpp", 0, 0},    // unknown line
      {"/x/mypage/scripts/head.cpp", 24, 24},  // no range (a name ends at a "/"): as it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(library::page_line(c.file, c.line), c.expected) << c.file;
  }
}

}  // namespace
}  // namespace library_test
