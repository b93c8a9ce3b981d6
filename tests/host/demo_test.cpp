// The demo: loopback only, its database made once, its sessions logged in as the demo user.
#include "host/demo.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "host/server_harness.h"
#include "host/session_dump.h"
#include "platform/config/config.h"

namespace host {
namespace {

namespace fs = std::filesystem;

TEST(IsLoopback, AcceptsOnlyThisMachine) {
  for (const char* host : {"localhost", "127.0.0.1", "127.5.6.7", "::1"}) {
    EXPECT_TRUE(is_loopback(host)) << host;
  }
  for (const char* host :
       {"0.0.0.0", "192.168.1.10", "::", "example.com", "127.0.0.1.example.com", "128.0.0.1", ""}) {
    EXPECT_FALSE(is_loopback(host)) << host;
  }
}

class DemoTest : public ::testing::Test {
 protected:
  DemoTest()
      : folder_(fs::path(testing::TempDir()) / ("flowform_demo_" + std::to_string(getpid()))) {
    command_.db = (folder_ / "demo" / "flowform.db").string();
  }
  ~DemoTest() override {
    platform::config::ConfigComponent::set_command_line_connect("");
    fs::remove_all(folder_);
  }

  fs::path folder_;
  DemoCommand command_;
};

TEST_F(DemoTest, CreatesTheDatabaseOnlyWhenMissingAndServesAnExistingSite) {
  std::ostringstream first, second;
  prepare_demo(command_, first);
  EXPECT_TRUE(fs::exists(command_.db));
  EXPECT_EQ(first.str(), "flowform: created the demo database " + command_.db + "\n");
  prepare_demo(command_, second);
  EXPECT_EQ(second.str(), "");
  // The site folder is served only when it exists.
  command_.site = (folder_ / "no-such-site").string();
  EXPECT_FALSE(prepare_demo(command_, second).serve_static_files);

  fs::create_directories(folder_ / "site");
  command_.site = (folder_ / "site").string();
  ServeOptions options = prepare_demo(command_, second);
  EXPECT_TRUE(options.serve_static_files);
  EXPECT_EQ(options.settings.site_folder, command_.site);
}

TEST_F(DemoTest, NewSessionsBelongToTheDemoUser) {
  std::ostringstream out;
  ServeOptions options = prepare_demo(command_, out);
  platform::asp::Session session;
  options.new_session(session);
  EXPECT_EQ(dump_session(session),
            "DepartMentID=4\nSystemURL=/\nTureName=张三\nUserName=zhangsan\n_DeptName=技术部\n"
            "@CodePage=936\n@TimeOut=20\n");
}

// Every new demo session is signed in at once, so one client that takes new sessions and sends
// each cookie back once fills the store: it pushes out its own sessions, not the demo user's
// from another address.
TEST_F(DemoTest, ASessionFloodFromOneAddressLeavesAnotherAddressSignedIn) {
  std::ostringstream out;
  ServeOptions options = prepare_demo(command_, out);
  options.max_sessions = 20;
  options.page_runner = [](const auto&, const std::shared_ptr<platform::asp::Session>& session,
                           const RequestInput&) {
    return PageResponse{session->get("UserName").str(), 0};
  };
  ServerHarness harness(std::move(options));
  const auto cookie_of = [](const TestAnswer& answer) {
    const std::string set = answer.header("Set-Cookie");
    return set.substr(0, set.find(';'));
  };
  const std::string page = demo_page_path();
  const std::string quiet = cookie_of(http_get(harness.port(), page, {}, "127.0.0.1"));
  ASSERT_NE(quiet, "");
  EXPECT_EQ(http_get(harness.port(), page, {{"Cookie", quiet}}).header("Set-Cookie"), "");
  for (int i = 0; i < 50; ++i) {
    const std::string cookie = cookie_of(http_get(harness.port(), page, {}, "127.0.0.2"));
    EXPECT_EQ(
        http_get(harness.port(), page, {{"Cookie", cookie}}, "127.0.0.2").header("Set-Cookie"), "")
        << i;
  }
  const TestAnswer back = http_get(harness.port(), page, {{"Cookie", quiet}});
  EXPECT_EQ(back.header("Set-Cookie"), "");
  EXPECT_EQ(back.body, "zhangsan");
  EXPECT_EQ(harness.server().sessions().size(), 20u);
}

// The pages themselves are opened in the browser test.
TEST_F(DemoTest, ListsOnlyTheDemoUsersOwnToDoEntries) {
  std::ostringstream out;
  prepare_demo(command_, out);
  const std::vector<DemoPage> pages = demo_pages(command_.db);
  // wujiu's entry for the same record is not listed again.
  EXPECT_EQ(std::count_if(pages.begin(), pages.end(),
                          [](const DemoPage& page) { return page.path == demo_page_path(); }),
            1);
  EXPECT_TRUE(demo_pages((folder_ / "missing.db").string()).empty());
}

TEST(Demo, RefusesAnAddressOtherMachinesReachBeforeMakingItsDatabase) {
  std::ostringstream out, err;
  EXPECT_EQ(run_demo(DemoCommand{Listen{"0.0.0.0", 8080}, "unused.db"}, out, err), 2);
  EXPECT_FALSE(fs::exists("unused.db"));
}

}  // namespace
}  // namespace host
