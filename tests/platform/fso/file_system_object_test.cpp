#include "platform/fso/file_system_object.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/vb_matchers.h"

namespace {

namespace fs = std::filesystem;
using platform::fso::FileSystemObject;

// A site folder `site` with a file outside it, next door, that nothing may reach.
class FileSystemObjectTest : public ::testing::Test {
 protected:
  FileSystemObjectTest() {
    fs::create_directories(base_ / "site");
    fs::create_directories(base_ / "outside");
    put("outside/secret.txt", "secret");
  }
  ~FileSystemObjectTest() override {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(base_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(base_, ec);
  }

  void put(const std::string& relative, const std::string& text) {
    std::ofstream(base_ / relative, std::ios::binary) << text;
  }
  std::string read(const std::string& relative) {
    std::ifstream in(base_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string site(const std::string& relative) { return (base_ / "site" / relative).string(); }

  static fs::path unique_base() {
    static int counter = 0;
    return fs::path(testing::TempDir()) /
           ("flowform_fso_" + std::to_string(getpid()) + "_" + std::to_string(++counter));
  }

  fs::path base_ = unique_base();
  FileSystemObject fso_{base_ / "site"};
};

TEST_F(FileSystemObjectTest, ExistenceTellsFilesFromFolders) {
  put("site/a.txt", "a");
  fs::create_directory(base_ / "site/docs");
  EXPECT_TRUE(fso_.FileExists("a.txt"));
  EXPECT_TRUE(fso_.FileExists(site("a.txt")));  // absolute inside the folder
  EXPECT_FALSE(fso_.FileExists("docs"));
  EXPECT_TRUE(fso_.FolderExists("docs\\"));  // a backslash separates too
  EXPECT_FALSE(fso_.FolderExists("a.txt"));
  EXPECT_FALSE(fso_.FileExists("missing.txt"));
  EXPECT_FALSE(fso_.FolderExists("missing/deeper"));
}

TEST_F(FileSystemObjectTest, PathsLeavingTheFolderAreRefused) {
  fs::create_symlink(base_ / "outside", base_ / "site/link");
  fs::create_symlink(base_ / "outside/gone.txt", base_ / "site/dangling");
  const std::string outside[] = {"docs/../../outside/secret.txt",
                                 "..\\outside\\secret.txt",
                                 (base_ / "outside/secret.txt").string(),
                                 "/etc/passwd",
                                 "link/secret.txt",
                                 "dangling",
                                 std::string("\0", 1),  // the system would read the folder itself
                                 std::string("docs") + '\0' + "/../../outside"};
  for (const std::string& path : outside) {
    SCOPED_TRACE(path);
    EXPECT_VB_ERROR_TEXT(70, "Permission denied", fso_.FileExists(path));
    EXPECT_VB_ERROR(70, fso_.DeleteFile(path));
    EXPECT_VB_ERROR(70, fso_.CopyFile(path, "copy.txt"));
    EXPECT_VB_ERROR(70, fso_.DeleteFolder(path));
  }
  put("site/a.txt", "a");
  EXPECT_VB_ERROR(70, fso_.CopyFile("a.txt", "dangling"));  // would write through the link
  EXPECT_VB_ERROR(70, fso_.CreateFolder("../made"));
  EXPECT_VB_ERROR(70, fso_.GetFolder("link"));
  EXPECT_VB_ERROR(70, fso_.DeleteFolder(""));  // the folder itself stays
  EXPECT_VB_ERROR(70, fso_.CopyFile("a.txt", std::string("a.txt") + '\0'));
  EXPECT_VB_ERROR(70, fso_.GetFolder(std::string("docs") + '\0'));
  EXPECT_EQ(read("outside/secret.txt"), "secret");
  EXPECT_FALSE(fs::exists(base_ / "made"));
  EXPECT_TRUE(fso_.FileExists("docs/../a.txt"));  // ".." that stays inside is fine
}

TEST_F(FileSystemObjectTest, CopyIntoAFolderKeepsTheFilesOddName) {
  put("site/报告 \"终稿\" 'v2'.txt", "new");
  fs::create_directory(base_ / "site/备份");
  fso_.CopyFile(site("报告 \"终稿\" 'v2'.txt"), "备份/");
  EXPECT_EQ(read("site/备份/报告 \"终稿\" 'v2'.txt"), "new");
}

TEST_F(FileSystemObjectTest, CopyFailuresNameTheirCause) {
  put("site/a.txt", "a");
  fs::create_directory(base_ / "site/docs");
  EXPECT_VB_ERROR_TEXT(53, "File not found", fso_.CopyFile("missing.txt", "b.txt"));
  EXPECT_VB_ERROR_TEXT(76, "Path not found", fso_.CopyFile("a.txt", "nowhere/"));
  EXPECT_VB_ERROR_TEXT(70, "Permission denied", fso_.CopyFile("a.txt", "docs"));
  EXPECT_VB_ERROR_TEXT(70, "Permission denied", fso_.CopyFile("a.txt", "a.txt"));
  EXPECT_EQ(read("site/a.txt"), "a");
}

TEST_F(FileSystemObjectTest, CreateAndDeleteWorkOneLevelAtATime) {
  fso_.CreateFolder("新建 文件夹");
  EXPECT_TRUE(fs::is_directory(base_ / "site/新建 文件夹"));
  EXPECT_VB_ERROR_TEXT(58, "File already exists", fso_.CreateFolder("新建 文件夹"));
  put("site/新建 文件夹/x.txt", "x");
  fso_.DeleteFile("新建 文件夹/x.txt");
  EXPECT_FALSE(fs::exists(base_ / "site/新建 文件夹/x.txt"));
  EXPECT_VB_ERROR_TEXT(53, "File not found", fso_.DeleteFile("新建 文件夹/x.txt"));
  EXPECT_VB_ERROR_TEXT(53, "File not found", fso_.DeleteFile("新建 文件夹"));
  EXPECT_VB_ERROR_TEXT(76, "Path not found", fso_.GetFolder("missing"));
}

TEST_F(FileSystemObjectTest, DeleteFolderTakesReadOnlyContentToo) {
  fs::create_directories(base_ / "site/old/locked");
  put("site/old/locked/x.txt", "x");
  fs::permissions(base_ / "site/old/locked/x.txt", fs::perms::owner_read);
  fs::permissions(base_ / "site/old/locked", fs::perms::owner_read | fs::perms::owner_exec);
  fso_.DeleteFolder("old");
  EXPECT_FALSE(fs::exists(base_ / "site/old"));
  EXPECT_VB_ERROR_TEXT(76, "Path not found", fso_.DeleteFolder("old"));
}

TEST(FileSystemObjectRoot, AMissingRootFindsNothing) {
  FileSystemObject fso(fs::path(testing::TempDir()) / "flowform_fso_no_such_root");
  EXPECT_VB_ERROR_TEXT(76, "Path not found", fso.FileExists("a.txt"));
}

}  // namespace
