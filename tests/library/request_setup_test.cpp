#include "library/request_setup.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"
#include "platform/config/config.h"

namespace library_test {
namespace {

class RequestSetupTest : public LibraryTest {
 protected:
  RequestSetupTest() { start_request(); }
  ~RequestSetupTest() override { library::closedb(ctx()); }

  // A new request of a logged-in user in the same application.
  void start_request() {
    reset();
    (*ctx().Session)["UserName"] = "zhang";
  }
  void cache_connect_string(const std::string& connect) {
    ctx().Application->set("KELDBConnectString", vb::Variant(connect));
  }

  const std::string bad_connect_ =
      "Provider=SQLite;Data Source=" + testing::TempDir() + "no/such/dir.db";
  test_support::TempDatabase db_;
};

TEST_F(RequestSetupTest, AppliesTheRequestSettingsAndOpensTheConnection) {
  cache_connect_string(db_.connect());
  ctx().Session->CodePage = 65001;
  library::qmdb_connI_init(ctx());

  EXPECT_EQ(ctx().Server->ScriptTimeout, 99999);
  EXPECT_EQ(ctx().Response->Expires, 0);
  EXPECT_EQ(ctx().Session->CodePage, 936);
  auto& conn = ctx().conn.as<platform::ado::Connection>();
  EXPECT_EQ(conn.State(), 1);
  EXPECT_EQ(conn.CommandTimeout, 999);
  EXPECT_EQ(typed(ctx().sql), "String:select * from OA_AnQuan");
  EXPECT_TRUE(ctx().rsAnQuan.is_nothing());
  expect_quiet();
}

TEST_F(RequestSetupTest, SessionTimeOutComesFromTheFirstSecurityRow) {
  cache_connect_string(db_.connect());
  const std::pair<const char*, long> cases[] = {
      {"('30')", 30}, {"(15), (90)", 15}, {"", 45}, {"(null)", 45}, {"('abc')", 45},
  };
  for (const auto& [rows, expected] : cases) {
    db_.exec("delete from OA_AnQuan");
    if (*rows) db_.exec(std::string("insert into OA_AnQuan (TimeOut) values ") + rows);
    start_request();
    library::qmdb_connI_init(ctx());
    EXPECT_EQ(ctx().Session->TimeOut, expected) << rows;
    expect_quiet();
  }
}

TEST_F(RequestSetupTest, AConfiguredStringThatFailsIsNotCached) {
  platform::config::ConfigComponent::set_command_line_connect(bad_connect_);
  library::qmdb_connI_init(ctx());
  platform::config::ConfigComponent::set_command_line_connect("");
  EXPECT_TRUE(ctx().Application->get("KELDBConnectString").is_empty());
  EXPECT_EQ(logged().size(), 1u);
}

TEST_F(RequestSetupTest, ClosedbClosesAnOpenConnectionAndIgnoresAMissingOne) {
  library::closedb(ctx());  // conn Empty
  ctx().conn = vb::ObjectRef();
  library::closedb(ctx());  // conn Nothing

  cache_connect_string(db_.connect());
  library::qmdb_connI_init(ctx());
  auto conn = ctx().conn.object();
  library::closedb(ctx());
  EXPECT_EQ(static_cast<platform::ado::Connection&>(*conn).State(), 0);
  EXPECT_TRUE(ctx().conn.is_nothing());
  expect_quiet();
}

}  // namespace
}  // namespace library_test
