// The command line: refusals of bad arguments, and render with its session file.
#include "host/cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "vb/codepage.h"
#include "support/page_fixture.h"

namespace host {
namespace {

struct CliResult {
  int code;
  std::string out;
  std::string err;
};

CliResult run(std::vector<std::string> args) {
  args.insert(args.begin(), "flowform");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out, err;
  int code = run_cli(static_cast<int>(argv.size()), argv.data(), out, err);
  return {code, out.str(), err.str()};
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Cli, BadArgumentsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"bogus"},
      {"render", "--unknown"},
      {"render", "--query"},
      {"render", "--session", "UserName"},
      {"render", "--application", "=x"},
      {"render", "--now", "2011-9-2 9:05:07"},
      {"render", "--output-encoding", "latin1"},
      {"render", "--event-log", "/nonexistent-folder/x/events.log"},
      {"render", "serve"},
      {"serve", "--listen", "8080"},
      {"serve", "--listen", "127.0.0.1:80x"},
      {"serve", "--site", "/nonexistent-folder/site"},
      {"serve", "--now", "2011-09-02 09:05:07"},
      {"demo", "--listen", "0.0.0.0:8080"},
      {"demo", "--listen", "192.168.1.10:8080"},
      {"demo", "--connect", "x"},
  };
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& arg : args) joined += arg + " ";
    CliResult result = run(args);
    EXPECT_EQ(result.code, 2) << joined;
    EXPECT_EQ(result.out, "") << joined;
    EXPECT_NE(result.err, "") << joined;
  }
}

TEST(Cli, HelpIsNoError) {
  CliResult result = run({"render", "--help"});
  EXPECT_EQ(result.code, 0);
  EXPECT_NE(result.out.find("--session-out"), std::string::npos) << result.out;
}

class CliRenderTest : public page_test::PageTest {
 protected:
  CliRenderTest()
      : session_file_(testing::TempDir() + "flowform_session_" + std::to_string(getpid())) {}
  ~CliRenderTest() override { std::filesystem::remove(session_file_); }

  std::vector<std::string> args() const {
    return {"render",
            "--connect",
            db_.connect(),
            "--now",
            "2011-09-02 09:05:07",
            "--session",
            "UserName=zhang",
            "--session",
            "DepartMentID=1",
            "--session-out",
            session_file_,
            "--event-log",
            "-"};
  }

  std::string session_file_;
};

TEST_F(CliRenderTest, PrintsExactlyTheBodyAndWritesTheSession) {
  db_.exec("insert into OA_AnQuan(TimeOut) values(20)");
  CliResult result = run(args());
  EXPECT_EQ(result.code, 0) << result.err;

  RenderOptions same = options();
  same.session_values = {{"UserName", "zhang"}, {"DepartMentID", "1"}};
  EXPECT_EQ(result.out, render(same).body);  // nothing added, no final line end
  // The values, sorted, then the two properties.
  std::vector<std::string> lines;
  std::istringstream session(read_file(session_file_));
  for (std::string line; std::getline(session, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 4u);
  const std::vector<std::string> properties(lines.end() - 2, lines.end());
  lines.resize(lines.size() - 2);
  EXPECT_EQ(properties, (std::vector<std::string>{"@CodePage=936", "@TimeOut=20"}));
  std::vector<std::string> keys;
  for (const std::string& line : lines) keys.push_back(line.substr(0, line.find('=')));
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "DepartMentID=1"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "UserName=zhang"), lines.end());
  EXPECT_TRUE(read_file(session_file_).ends_with("@TimeOut=20\n"));
}

TEST_F(CliRenderTest, PrintsCodePage936WhenAsked) {
  std::vector<std::string> utf8_args = args(), cp936_args = args();
  cp936_args.insert(cp936_args.end(), {"--output-encoding", "cp936"});
  CliResult utf8 = run(utf8_args);
  CliResult cp936 = run(cp936_args);
  EXPECT_EQ(cp936.code, 0);
  EXPECT_NE(utf8.out.find("<TITLE>流程处理</TITLE>"), std::string::npos);
  EXPECT_EQ(cp936.out, vb::to_cp936(utf8.out));
}

}  // namespace
}  // namespace host
