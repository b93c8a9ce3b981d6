// The command line: refusals of bad arguments, and render with its session file.
#include "host/cli.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>

#include "host/server_harness.h"
#include "host/session_dump.h"
#include "platform/config/config.h"
#include "platform/mail/smtp.h"
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

// Each refusal exits with 2, prints nothing and names what it refuses.
TEST(Cli, BadArgumentsExitWithTwoNamingWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "render"},  // alone: the commands
      {{"frobnicate"}, "frobnicate"},
      {{"--bogus"}, "--bogus"},
      {{"serve", "--bogus"}, "--bogus"},
      {{"render", "--query", "a=1", "extra"}, "extra"},
      {{"render", "serve"}, "serve"},
      {{"render", "--query"}, "--query"},
      {{"render", "--session", "UserName"}, "\"UserName\""},
      {{"render", "--application", "=x"}, "\"=x\""},
      {{"render", "--now", "2011-9-2 9:05:07"}, "\"2011-9-2 9:05:07\""},
      {{"render", "--output-encoding", "latin1"}, "latin1"},
      {{"render", "--event-log", "/nonexistent-folder/x/events.log"}, "/x/events.log"},
      {{"serve", "--listen", "8080"}, "\"8080\""},
      {{"serve", "--now", "2011-09-02 09:05:07"}, "--now"},
      {{"serve", "--mail-ca-file", "/nonexistent-folder/ca.pem"}, "/ca.pem"},
      {{"demo", "--listen", "0.0.0.0:8080"}, "not 0.0.0.0"},
      {{"demo", "--connect", "x"}, "--connect"},
  };
  for (const auto& [args, named] : cases) {
    CliResult result = run(args);
    EXPECT_EQ(result.code, 2) << testing::PrintToString(args);
    EXPECT_EQ(result.out, "") << testing::PrintToString(args);
    EXPECT_NE(result.err.find(named), std::string::npos) << named << "\n" << result.err;
  }
}

// The defaults that are not plain members: given as text, and worked out.
TEST(Cli, HelpIsNoErrorAndShowsTheDefaults) {
  CliResult serve = run({"serve", "--help"});
  EXPECT_EQ(serve.code, 0);
  for (const char* shown : {"--request-timeout UINT:POSITIVE=60", "after its first 10 s"}) {
    EXPECT_NE(serve.out.find(shown), std::string::npos) << shown << "\n" << serve.out;
  }
}

TEST(Cli, TheMailCaFileComesFromTheOptionOrTheVariable) {
  const std::string ca = std::string(FLOWFORM_TEST_TLS_DIR) + "/ca.pem";
  run({"render", "--mail-ca-file", ca});
  EXPECT_EQ(platform::mail::ca_file(), ca);
  run({"render"});
  EXPECT_EQ(platform::mail::ca_file(), "");
  setenv("FLOWFORM_MAIL_CA_FILE", ca.c_str(), 1);
  run({"render"});
  unsetenv("FLOWFORM_MAIL_CA_FILE");
  EXPECT_EQ(platform::mail::ca_file(), ca);
  platform::mail::ca_file().clear();
}

// serve refuses to start without a database it can open, or on a port that is taken. The
// connection string comes only from each test.
class CliServeTest : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv("FLOWFORM_CONNECT"); }
  void TearDown() override { unsetenv("FLOWFORM_CONNECT"); }
};

TEST_F(CliServeTest, WithoutADatabaseItSaysWhereOneComesFromOrWhyItCannotOpen) {
  CliResult none = run({"serve", "--listen", "127.0.0.1:0"});
  EXPECT_EQ(none.code, 2);
  EXPECT_EQ(none.err,
            "flowform: serve needs the database's connection string: give --connect or set "
            "FLOWFORM_CONNECT\n");
  const std::string connect = "Provider=SQLite;Data Source=/nonexistent-folder/flowform.db";
  for (bool from_environment : {false, true}) {
    std::vector<std::string> args = {"serve", "--listen", "127.0.0.1:0"};
    if (from_environment) {
      setenv("FLOWFORM_CONNECT", connect.c_str(), 1);
    } else {
      args.insert(args.end(), {"--connect", connect});
    }
    CliResult result = run(args);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "flowform: cannot open the database " + connect + ": unable to open database file\n");
  }
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Whichever command meets a database it cannot open, the password never shows and each of the
// driver's messages shows once.
TEST_F(CliServeTest, AFailedOpenShowsNoPasswordAndEachDriverMessageOnce) {
  const std::string connect =
      "Provider=SQLOLEDB;Data Source=127.0.0.1,9;User ID=sa;Password='s3<c>&\"r;''et'";
  const std::string refused = "Unable to connect: Adaptive Server is unavailable";
  CliResult serve = run({"serve", "--listen", "127.0.0.1:0", "--connect", connect});
  EXPECT_EQ(serve.code, 1);
  EXPECT_TRUE(
      serve.err.starts_with("flowform: cannot open the database Provider=SQLOLEDB;"
                            "Data Source=127.0.0.1,9;User ID=sa;Password=***: "))
      << serve.err;
  EXPECT_EQ(occurrences(serve.err, refused), 1u) << serve.err;
  EXPECT_EQ(occurrences(serve.err, "\n"), 1u) << serve.err;

  const std::string log = testing::TempDir() + "flowform_cli_log_" + std::to_string(getpid());
  CliResult render = run({"render", "--connect", connect, "--event-log", log});
  std::ifstream log_in(log);
  const std::string logged{std::istreambuf_iterator<char>(log_in), {}};
  std::filesystem::remove(log);
  for (const std::string& text : {render.out, logged}) {
    EXPECT_EQ(occurrences(text, refused), 1u) << text;
    EXPECT_EQ(text.find("s3<c>"), std::string::npos) << text;
  }

  const std::string file = testing::TempDir() + "flowform_cli_file_" + std::to_string(getpid());
  std::ofstream(file) << "a file, not a folder";
  CliResult demo = run({"demo", "--listen", "127.0.0.1:0", "--db", file + "/demo.db"});
  std::filesystem::remove(file);
  EXPECT_EQ(demo.code, 1);
  EXPECT_EQ(demo.err, "flowform: cannot create the demo database " + file +
                          "/demo.db: unable to open database file\n");
}

TEST_F(CliServeTest, APortInUseEndsItWithTheReason) {
  page_test::TempDatabase db;
  ServerHarness taken{ServeOptions{}};
  const std::string listen = "127.0.0.1:" + std::to_string(taken.port());
  for (const char* command : {"serve", "demo"}) {
    const bool serve = std::string(command) == "serve";
    CliResult result = run({command, "--listen", listen, serve ? "--connect" : "--db",
                            serve ? db.connect() : db.path()});
    EXPECT_EQ(result.code, 1) << command;
    EXPECT_EQ(result.err,
              "flowform: cannot listen on http://" + listen + ": Address already in use\n");
  }
  // A site folder that is not there is refused before the port is tried.
  const std::string missing = "/nonexistent-folder/site";
  CliResult site = run({"serve", "--listen", listen, "--connect", db.connect(), "--site", missing});
  EXPECT_EQ(site.code, 2);
  EXPECT_NE(site.err.find("--site: Directory does not exist: " + missing), std::string::npos)
      << site.err;
  platform::config::ConfigComponent::set_command_line_connect("");
}

// The first line of fd, waiting at most ten seconds for each byte.
std::string first_line(int fd) {
  std::string line;
  pollfd wanted{fd, POLLIN, 0};
  char c = 0;
  while (poll(&wanted, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

// serve as its own process: its start line names the address where the page is served.
TEST_F(CliServeTest, ServeStartsWithTheAddressOfThePage) {
  page_test::TempDatabase db;
  const std::string connect = db.connect();
  const char* argv[] = {FLOWFORM_BINARY, "serve",         "--listen", "127.0.0.1:0",
                        "--connect",     connect.c_str(), nullptr};
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  const std::string line = first_line(out[0]);
  std::smatch port;
  const bool named = std::regex_match(
      line, port,
      std::regex("flowform: serving http://127\\.0\\.0\\.1:(\\d+)" + std::string(kPagePath)));
  TestAnswer answer;
  if (named) answer = http_get(std::stoi(port[1]), kPagePath);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  close(out[0]);
  EXPECT_TRUE(named) << line;
  EXPECT_EQ(answer.status, 200);
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
  std::ifstream session_in(session_file_, std::ios::binary);
  const std::string session{std::istreambuf_iterator<char>(session_in), {}};
  EXPECT_EQ(session, dump_session(*expected.session));
  EXPECT_NE(session.find("\nUserName=zhang\n"), std::string::npos) << session;
  EXPECT_TRUE(session.ends_with("\n@CodePage=936\n@TimeOut=20\n")) << session;

  args.insert(args.end(), {"--output-encoding", "cp936"});
  EXPECT_EQ(run(args).out, vb::to_cp936(expected.body));
}

}  // namespace
}  // namespace host
