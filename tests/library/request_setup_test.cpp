#include "library/request_setup.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/ado/connection.h"
#include "platform/config/config.h"
#include "platform/eventlog/event_log.h"

namespace library {
namespace {

constexpr char kRedirect[] =
    " <script language=javascript>\r\n"
    "\t\ttop.location.href = \"http://oa.example/login.asp\";\r\n"
    "\t</script>\r\n"
    "\t";

// A database file holding only the security settings table, removed with the fixture.
class AnQuanDatabase {
 public:
  AnQuanDatabase()
      : path_(testing::TempDir() + "request_setup_" + std::to_string(getpid()) + "_" +
              std::to_string(++counter_) + ".db") {
    exec("create table OA_AnQuan (OAID integer primary key autoincrement, TimeOut varchar(50))");
  }
  ~AnQuanDatabase() {
    std::filesystem::remove(path_);
    std::filesystem::remove(path_ + "-wal");
    std::filesystem::remove(path_ + "-shm");
  }
  std::string connect() const { return "Provider=SQLite;Data Source=" + path_; }
  void exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << error;
  }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

class RequestSetupTest : public ::testing::Test {
 protected:
  RequestSetupTest() { ctx_ = make_context(application_); }

  std::unique_ptr<PageContext> make_context(std::shared_ptr<platform::asp::Application> app) {
    auto ctx = std::make_unique<PageContext>(log_);
    ctx->Server = std::make_shared<platform::asp::Server>(
        ".", "/flow", std::make_shared<const platform::asp::SiblingPages>());
    ctx->Application = std::move(app);
    ctx->Session = std::make_shared<platform::asp::Session>();
    ctx->Request = std::make_shared<platform::asp::Request>();
    ctx->Response = std::make_shared<platform::asp::Response>();
    (*ctx->Session)["UserName"] = "zhang";
    return ctx;
  }
  void cache_connect_string(const std::string& connect) {
    application_->set("KELDBConnectString", vb::Variant(connect));
  }
  const std::string& body() const { return ctx_->Response->body(); }

  AnQuanDatabase db_;
  std::shared_ptr<platform::eventlog::RecordingEventLog> log_ =
      std::make_shared<platform::eventlog::RecordingEventLog>();
  std::shared_ptr<platform::asp::Application> application_ =
      std::make_shared<platform::asp::Application>();
  std::unique_ptr<PageContext> ctx_;
};

TEST_F(RequestSetupTest, AppliesTheRequestSettingsAndOpensTheConnection) {
  cache_connect_string(db_.connect());
  ctx_->Session->CodePage = 65001;
  qmdb_connI_init(*ctx_);

  EXPECT_EQ(ctx_->Server->ScriptTimeout, 99999);
  EXPECT_EQ(ctx_->Response->Expires, 0);
  EXPECT_EQ(ctx_->Session->CodePage, 936);
  auto& conn = ctx_->conn.as<platform::ado::Connection>();
  EXPECT_EQ(conn.State(), 1);
  EXPECT_EQ(conn.CommandTimeout, 999);
  EXPECT_TRUE(ctx_->sql == "select * from OA_AnQuan");
  EXPECT_TRUE(ctx_->rsAnQuan.is_nothing());
  EXPECT_EQ(body(), "");
  EXPECT_TRUE(log_->entries().empty());
}

TEST_F(RequestSetupTest, SessionTimeOutComesFromTheFirstSecurityRow) {
  struct Case {
    const char* rows;  // inserted before the set-up runs
    long expected;
  };
  const Case cases[] = {
      {"insert into OA_AnQuan (TimeOut) values (20)", 20},
      {"insert into OA_AnQuan (TimeOut) values ('30')", 30},
      {"insert into OA_AnQuan (TimeOut) values (15); insert into OA_AnQuan (TimeOut) values (90)",
       15},
      {"", 45},  // no row
      {"insert into OA_AnQuan (TimeOut) values (null)", 45},
      {"insert into OA_AnQuan (TimeOut) values ('abc')", 45},
      {"insert into OA_AnQuan (TimeOut) values ('')", 45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    AnQuanDatabase db;
    if (*c.rows) db.exec(c.rows);
    auto app = std::make_shared<platform::asp::Application>();
    app->set("KELDBConnectString", vb::Variant(db.connect()));
    auto ctx = make_context(app);
    qmdb_connI_init(*ctx);
    EXPECT_EQ(ctx->Session->TimeOut, c.expected);
    EXPECT_EQ(ctx->Response->body(), "");
  }
}

// The description and line of a page error text " Error <d> LINE<n> Routine : ..." must match
// the event log entry "<number> <d> LINE #<n> Routine : ...".
void expect_reported(const std::string& body, const std::vector<std::string>& entries, long number,
                     const std::string& description, const std::string& routine) {
  ASSERT_EQ(entries.size(), 1u);
  const std::string prefix = std::to_string(number) + " " + description + " LINE #";
  ASSERT_EQ(entries[0].rfind(prefix, 0), 0u) << entries[0];
  const std::string tail = entries[0].substr(prefix.size());
  const std::string line = tail.substr(0, tail.find(' '));
  EXPECT_GT(std::stol(line), 0);
  EXPECT_EQ(tail, line + " Routine : qmflobiaodantianx." + routine);
  EXPECT_EQ(body,
            " Error " + description + " LINE" + line + " Routine : qmflobiaodantianx." + routine);
}

TEST_F(RequestSetupTest, AConnectionThatCannotBeOpenedIsReportedAndTheLaterStepsSkipped) {
  const std::string bad = "Provider=SQLite;Data Source=" + testing::TempDir() + "no/such/dir.db";
  std::string description;
  try {
    platform::ado::Connection probe;
    probe.Open(vb::Variant(bad));
  } catch (const vb::VbError& e) {
    description = e.description();
  }
  ASSERT_FALSE(description.empty());

  cache_connect_string(bad);
  ctx_->Session->TimeOut = 33;
  ctx_->Session->operator[]("UserName") = "";  // no redirect either: the step is not reached
  qmdb_connI_init(*ctx_);

  expect_reported(body(), log_->entries(), -2147467259, description, "qmdb_connI_init");
  EXPECT_EQ(ctx_->Session->TimeOut, 33);
  EXPECT_EQ(ctx_->Session->CodePage, 936);
}

TEST_F(RequestSetupTest, AConfiguredStringThatFailsIsNotCached) {
  platform::config::ConfigComponent::set_command_line_connect(
      "Provider=SQLite;Data Source=" + testing::TempDir() + "no/such/dir.db");
  qmdb_connI_init(*ctx_);
  platform::config::ConfigComponent::set_command_line_connect("");
  EXPECT_TRUE(application_->get("KELDBConnectString").is_empty());
  EXPECT_EQ(log_->entries().size(), 1u);
}

TEST_F(RequestSetupTest, ASessionWithoutUserNameGetsTheLoginRedirect) {
  cache_connect_string(db_.connect());
  application_->set("SendrixOAURL", "http://oa.example/");
  for (const vb::Variant& user : {vb::Variant(), vb::Variant("")}) {
    auto ctx = make_context(application_);
    (*ctx->Session)["UserName"] = user;
    qmdb_connI_init(*ctx);
    EXPECT_EQ(ctx->Response->body(), kRedirect);
  }
  qmdb_connI_init(*ctx_);  // "zhang" is logged in
  EXPECT_EQ(body(), "");
}

TEST_F(RequestSetupTest, ClosedbClosesAnOpenConnectionAndIgnoresAMissingOne) {
  closedb(*ctx_);  // conn Empty
  ctx_->conn = vb::ObjectRef();
  closedb(*ctx_);  // conn Nothing
  EXPECT_EQ(body(), "");

  cache_connect_string(db_.connect());
  qmdb_connI_init(*ctx_);
  auto conn = ctx_->conn.object();
  closedb(*ctx_);
  EXPECT_EQ(static_cast<platform::ado::Connection&>(*conn).State(), 0);
  EXPECT_TRUE(ctx_->conn.is_nothing());
  EXPECT_EQ(body(), "");
  EXPECT_TRUE(log_->entries().empty());
}

TEST_F(RequestSetupTest, QmqmfunctionIInitClearsTheTreeAccumulators) {
  for (vb::Variant* v : {&ctx_->departmentchildlists, &ctx_->parentlists, &ctx_->folderparentlists,
                         &ctx_->reqtypechildlists, &ctx_->bumenlists}) {
    *v = "left over";
  }
  qmqmfunctionI_init(*ctx_);
  qmincfunctionzidiI_init(*ctx_);
  qmincfunctiondbI_init(*ctx_);
  EXPECT_TRUE(ctx_->departmentchildlists == "");
  EXPECT_TRUE(ctx_->parentlists == "");
  EXPECT_TRUE(ctx_->folderparentlists == "");
  EXPECT_TRUE(ctx_->reqtypechildlists == "");
  EXPECT_TRUE(ctx_->bumenlists == "left over");  // the page body clears this one
  EXPECT_EQ(body(), "");
}

}  // namespace
}  // namespace library
