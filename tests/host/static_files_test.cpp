// Site files: found by URL path, never outside the site folder.
#include "host/static_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace host {
namespace {

namespace fs = std::filesystem;

class StaticFilesTest : public ::testing::Test {
 protected:
  StaticFilesTest()
      : base_(fs::path(testing::TempDir()) / ("flowform_site_" + std::to_string(getpid()))),
        site_(base_ / "site") {
    fs::create_directories(site_ / "Include" / "js");
    write(site_ / "Include" / "js" / "orderby.js", "var x;");
    write(site_ / "FlowURL.xml", "<a/>");
    write(site_ / "Include" / "Page.asp", "<p>");
    write(site_ / "LOGO.GIF", "GIF89a");
    write(base_ / "secret.txt", "secret");
    fs::create_symlink(base_ / "secret.txt", site_ / "link.txt");
  }
  ~StaticFilesTest() override { fs::remove_all(base_); }

  static void write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

  fs::path base_;
  fs::path site_;
};

TEST_F(StaticFilesTest, FindsAFileWithItsContentType) {
  StaticFile file = find_static_file(site_.string(), "/Include/js/orderby.js");
  EXPECT_EQ(file.outcome, StaticFile::Outcome::found);
  EXPECT_EQ(file.content, "var x;");
  EXPECT_EQ(file.content_type, "text/javascript");
  EXPECT_EQ(find_static_file(site_.string(), "/FlowURL.xml").content_type, "text/xml");
  EXPECT_EQ(find_static_file(site_.string(), "/LOGO.GIF").content_type, "image/gif");
  EXPECT_EQ(find_static_file(site_.string(), "/Include/Page.asp").content_type, "text/html");
  EXPECT_EQ(find_static_file(site_.string(), "//Include/./js//orderby.js").content, "var x;");
}

TEST_F(StaticFilesTest, MatchesPathsRegardlessOfLetterCase) {
  for (const char* path : {"/include/js/orderby.js", "/INCLUDE/Js/OrderBy.JS", "/flowurl.xml"}) {
    EXPECT_EQ(find_static_file(site_.string(), path).outcome, StaticFile::Outcome::found) << path;
  }
  // Names that differ only in case each find their own file.
  write(site_ / "Case.txt", "upper");
  write(site_ / "case.txt", "lower");
  EXPECT_EQ(find_static_file(site_.string(), "/Case.txt").content, "upper");
  EXPECT_EQ(find_static_file(site_.string(), "/case.txt").content, "lower");
  EXPECT_EQ(find_static_file(site_.string(), "/include/js/missing.js").outcome,
            StaticFile::Outcome::not_found);
  EXPECT_EQ(find_static_file(site_.string(), "/LINK.TXT").outcome, StaticFile::Outcome::forbidden);
}

TEST_F(StaticFilesTest, MissingFilesAndFoldersAreNotFound) {
  for (const char* path : {"/", "/nothing.css", "/Include", "/Include/js/", "/FlowURL.xml/x"}) {
    EXPECT_EQ(find_static_file(site_.string(), path).outcome, StaticFile::Outcome::not_found)
        << path;
  }
  EXPECT_EQ(find_static_file((base_ / "no-site").string(), "/FlowURL.xml").outcome,
            StaticFile::Outcome::not_found);
}

TEST_F(StaticFilesTest, PathsLeavingTheSiteAreForbidden) {
  for (const char* path : {"/../secret.txt", "/Include/../../secret.txt", "/..", "/..\\secret.txt",
                           "/Include/..", "/link.txt"}) {
    StaticFile file = find_static_file(site_.string(), path);
    EXPECT_EQ(file.outcome, StaticFile::Outcome::forbidden) << path;
    EXPECT_EQ(file.content, "") << path;
  }
  EXPECT_EQ(find_static_file(site_.string(), std::string_view("/FlowURL.xml\0.js", 16)).outcome,
            StaticFile::Outcome::forbidden);
}

}  // namespace
}  // namespace host
