#include "library/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

namespace fs = std::filesystem;

// The site's folder is a fresh temporary folder; a file lies next to it, outside.
class FilesTest : public LibraryTest {
 protected:
  FilesTest() {
    fs::create_directories(site_);
    std::ofstream(site_.parent_path() / "outside.txt") << "keep";
    start_request();
  }
  ~FilesTest() override {
    std::error_code ec;
    fs::remove_all(site_.parent_path(), ec);
  }

  // A new request whose site is site_.
  void start_request() {
    reset();
    ctx().Server = std::make_shared<platform::asp::Server>(
        site_.string(), "/flow", std::make_shared<const platform::asp::SiblingPages>());
  }
  void put(const std::string& relative, const std::string& text = "x") {
    std::ofstream(site_ / relative) << text;
  }
  std::string path(const std::string& relative) const { return (site_ / relative).string(); }

  static fs::path unique_site() {
    static int counter = 0;
    return fs::path(testing::TempDir()) /
           ("flowform_files_" + std::to_string(getpid()) + "_" + std::to_string(++counter)) /
           "site";
  }

  fs::path site_ = unique_site();
};

TEST_F(FilesTest, MissingThingsAreLeftAloneQuietly) {
  library::deletefile(ctx(), path("missing.txt"));
  library::deletefolder(ctx(), path("missing"));
  library::copyfile(ctx(), path("missing.txt"), path("copy.txt"));
  EXPECT_FALSE(fs::exists(site_ / "copy.txt"));
  fs::create_directory(site_ / "docs");
  library::createfolder(ctx(), path("docs"));  // already there
  const struct {
    const char *folder, *exists, *list, *count;
  } cases[] = {{"docs", "Boolean:True", "String:", "Long:0"},
               {"missing", "Boolean:False", "String:", "Integer:0"}};
  for (const auto& c : cases) {
    EXPECT_EQ(typed(library::folderisexist(ctx(), path(c.folder))), c.exists);
    EXPECT_EQ(typed(library::getfolderfileslist(ctx(), path(c.folder))), c.list);
    EXPECT_EQ(typed(library::getfolderfilescount(ctx(), path(c.folder))), c.count);
  }
  expect_quiet();
}

// Lists and counts hold the folder's own files, not those of its sub-folders.
TEST_F(FilesTest, FilesAndFoldersAreMadeCopiedListedAndRemoved) {
  library::createfolder(ctx(), path("上传 文件"));
  put("上传 文件/合同 \"甲\" <&>.doc", "body");
  library::copyfile(ctx(), path("上传 文件/合同 \"甲\" <&>.doc"), path("上传 文件/o'copy.doc"));
  put("上传 文件/dest.doc", "old");
  library::copyfile(ctx(), path("上传 文件/合同 \"甲\" <&>.doc"), path("上传 文件/dest.doc"));
  library::createfolder(ctx(), path("上传 文件/sub"));
  put("上传 文件/sub/c.txt");
  EXPECT_EQ(typed(library::getfolderfileslist(ctx(), path("上传 文件"))),
            "String:dest.doc*o'copy.doc*合同 \"甲\" <&>.doc");
  EXPECT_EQ(typed(library::getfolderfilescount(ctx(), path("上传 文件"))), "Long:3");
  library::deletefile(ctx(), path("上传 文件/dest.doc"));
  EXPECT_EQ(typed(library::getfolderfilescount(ctx(), path("上传 文件"))), "Long:2");
  library::deletefolder(ctx(), path("上传 文件"));
  EXPECT_FALSE(fs::exists(site_ / "上传 文件"));
  expect_quiet();
}

TEST_F(FilesTest, CreatingOrCopyingBelowAMissingFolderIsReported) {
  library::createfolder(ctx(), path("a/b"));
  expect_reported(76, "Path not found", "createfolder");
  start_request();
  put("a.txt");
  library::copyfile(ctx(), path("a.txt"), path("nowhere/a.txt"));
  expect_reported(76, "Path not found", "copyfile");
}

TEST_F(FilesTest, PathsOutsideTheSiteAreRefused) {
  library::deletefile(ctx(), path("../outside.txt"));
  expect_reported(70, "Permission denied", "deletefile");
  start_request();
  put("a.txt");
  library::copyfile(ctx(), path("a.txt"), (site_.parent_path() / "outside.txt").string());
  expect_reported(70, "Permission denied", "copyfile");
  std::ifstream in(site_.parent_path() / "outside.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
  // A NUL byte would end the path early and name the site's folder itself.
  start_request();
  EXPECT_EQ(typed(library::folderisexist(ctx(), std::string("\0", 1))), "Empty:");
  expect_reported(70, "Permission denied", "folderisexist");
  start_request();
  EXPECT_EQ(typed(library::getfolderfileslist(ctx(), path("") + '\0' + "x")), "Empty:");
  expect_reported(70, "Permission denied", "getfolderfileslist");
}

}  // namespace
}  // namespace library_test
