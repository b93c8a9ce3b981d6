// The command line: refusals of bad arguments, and render with its session file.
#include "host/cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/session_dump.h"
#include "support/page_fixture.h"
#include "vb/codepage.h"

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
      {"serve", "--site", "/nonexistent-folder/site"},
      {"serve", "--now", "2011-09-02 09:05:07"},
      {"demo", "--listen", "0.0.0.0:8080"},
      {"demo", "--connect", "x"},
  };
  for (const auto& args : cases) {
    CliResult result = run(args);
    EXPECT_EQ(result.code, 2) << testing::PrintToString(args);
    EXPECT_EQ(result.out, "") << testing::PrintToString(args);
    EXPECT_NE(result.err, "") << testing::PrintToString(args);
  }
}

TEST(Cli, HelpIsNoError) {
  CliResult result = run({"render", "--help"});
  EXPECT_EQ(result.code, 0);
  EXPECT_NE(result.out.find("--session-out"), std::string::npos) << result.out;
}

// Renders on the fixture's database; the session file goes with the fixture.
class CliRenderTest : public page_test::PageTest {
 protected:
  ~CliRenderTest() override { std::filesystem::remove(session_file_); }

  const std::string session_file_ =
      testing::TempDir() + "flowform_session_" + std::to_string(getpid());
};

TEST_F(CliRenderTest, PrintsExactlyTheBodyAndWritesTheSession) {
  db_.exec("insert into OA_AnQuan(TimeOut) values(20)");
  std::vector<std::string> args = {
      "render",         "--connect",   db_.connect(),   "--now", "2011-09-02 09:05:07",
      "--session-out",  session_file_, "--event-log",   "-",     "--session",
      "UserName=zhang", "--session",   "DepartMentID=1"};
  CliResult result = run(args);
  EXPECT_EQ(result.code, 0) << result.err;

  RenderOptions same = options();
  same.session_values = {{"UserName", "zhang"}, {"DepartMentID", "1"}};
  Rendered expected = render(same);
  EXPECT_NE(expected.body.find("<TITLE>流程处理</TITLE>"), std::string::npos);
  EXPECT_EQ(result.out, expected.body);  // nothing added, no final line end
  const std::string session = read_file(session_file_);
  EXPECT_EQ(session, dump_session(*expected.session));
  EXPECT_NE(session.find("\nUserName=zhang\n"), std::string::npos) << session;
  EXPECT_TRUE(session.ends_with("\n@CodePage=936\n@TimeOut=20\n")) << session;

  args.insert(args.end(), {"--output-encoding", "cp936"});
  EXPECT_EQ(run(args).out, vb::to_cp936(expected.body));
}

}  // namespace
}  // namespace host
