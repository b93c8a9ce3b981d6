// The ODBC driver: connection strings mapped for the driver manager, and a session through the
// SQLite ODBC driver and through FreeTDS.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ado_fixture.h"
#include "platform/ado/driver.h"
#include "platform/ado/odbc_settings.h"
#include "platform/ado/row_statements.h"
#include "support/tds_listener.h"

namespace platform::ado::testing {
namespace {

TEST(OdbcConnectionText, MapsTheAdoFormAndPassesOdbcFormsAsTheyStand) {
  const struct {
    const char* ado;
    const char* odbc;
  } cases[] = {
      {"Provider=SQLite;Data Source=/tmp/a.db", ""},
      {"Provider=SQLOLEDB;Data Source=db.local,1433;Initial Catalog=OA;User ID=sa;Password=pw",
       "Driver=FreeTDS;Server=db.local;Port=1433;Database=OA;UID=sa;PWD=pw;ClientCharset=UTF-8"},
      {"password='a;b}c';uid=u;DATABASE=oa;server=10.0.0.5;provider=sqloledb.1",
       "Driver=FreeTDS;Server=10.0.0.5;Database=oa;UID=u;PWD={a;b}c};ClientCharset=UTF-8"},
      {"Provider=SQLNCLI11;Server=h", "Driver=FreeTDS;Server=h;ClientCharset=UTF-8"},
      {"Provider=SQLOLEDB;Data Source=tcp:db.local,1433",
       "Driver=FreeTDS;Server=db.local;Port=1433;ClientCharset=UTF-8"},
      {"Provider=SQLOLEDB;Data Source=TCP:10.0.0.5", "Driver=FreeTDS;Server=10.0.0.5;ClientCharset=UTF-8"},
      {"Driver={SQLite3};Database=/tmp/a.db", "Driver={SQLite3};Database=/tmp/a.db"},
      {"DSN=office;UID=u;PWD=p", "DSN=office;UID=u;PWD=p"},
  };
  for (const auto& c : cases) EXPECT_EQ(odbc_connection_text(c.ado, vb::Here{}), c.odbc) << c.ado;
}

TEST(OdbcConnectionText, RefusesWhatItCannotReachWithoutThePassword) {
  const struct {
    const char* ado;
    const char* message;
  } cases[] = {
      {"Provider=Foo;Password=s3cret", "Provider cannot be found. It may not be properly installed."},
      {"Provider=SQLOLEDB;Initial Catalog=OA;Password=s3cret",
       "The connection string names no server."},
      {"Password=s3cret", "The connection string names no Provider."},
      {"Provider=SQLOLEDB;Data Source=np:\\\\.\\pipe\\sql\\query;Password=s3cret",
       "Only TCP reaches SQL Server from here: named pipes (np:) and shared memory (lpc:) are not "
       "supported."},
      {"Provider=SQLOLEDB;Data Source=h;Password='s3};cret'",
       "The FreeTDS driver cannot take a connection value holding \"};\"."},
      {"Provider=SQLOLEDB;Data Source=lpc:(local);Password=s3cret",
       "Only TCP reaches SQL Server from here: named pipes (np:) and shared memory (lpc:) are not "
       "supported."},
  };
  for (const auto& c : cases) {
    const vb::VbError e = raised_by([&] { odbc_connection_text(c.ado, vb::Here{}); });
    EXPECT_EQ(e.number(), kProviderFailed);
    EXPECT_EQ(e.description(), c.message);
  }
}

// SQL Server refuses OUTPUT without INTO on a table with a trigger; the row is read back by its
// key in the same batch instead.
TEST(SqlServerInsert, ReadsTheNewRowBackByItsKeyInTheSameBatch) {
  const ColumnNames columns = {"OAID", "Remark", "Kind"};
  const struct {
    std::vector<bool> assigned;
    const char* key;
    const char* sql;
  } cases[] = {
      {{false, true, true}, "OAID",
       "INSERT INTO \"T\" (\"Remark\",\"Kind\") VALUES (?,?);"
       "SELECT \"OAID\",\"Remark\",\"Kind\" FROM \"T\" WHERE \"OAID\"=SCOPE_IDENTITY()"},
      {{true, true, false}, "oaid",
       "INSERT INTO \"T\" (\"OAID\",\"Remark\") VALUES (?,?);"
       "SELECT \"OAID\",\"Remark\",\"Kind\" FROM \"T\" WHERE \"oaid\"=?"},
      {{false, false, false}, "OAID",
       "INSERT INTO \"T\" DEFAULT VALUES;"
       "SELECT \"OAID\",\"Remark\",\"Kind\" FROM \"T\" WHERE \"OAID\"=SCOPE_IDENTITY()"},
      {{false, true, false}, "Other", "INSERT INTO \"T\" (\"Remark\") VALUES (?)"},
  };
  for (const auto& c : cases) EXPECT_EQ(sql_server_insert("T", columns, c.assigned, c.key), c.sql);
}

// The two ways a connection string reaches the stand-in SQL Server: the provider's form, which
// we map for FreeTDS, and an ODBC string passed as written, which leaves FreeTDS its own
// client charset.
std::string provider_form(const test_support::TdsListener& server) {
  return "Provider=SQLOLEDB;Data Source=127.0.0.1," + std::to_string(server.port()) +
         ";User ID=sa;Password=pw";
}
std::string driver_form(const test_support::TdsListener& server) {
  return "Driver=FreeTDS;Server=127.0.0.1;Port=" + std::to_string(server.port()) + ";UID=sa;PWD=pw";
}
using Form = std::string (*)(const test_support::TdsListener&);
constexpr Form kForms[] = {provider_form, driver_form};

// A session with the stand-in SQL Server.
std::unique_ptr<DriverConnection> session_with(const test_support::TdsListener& server,
                                               Form form = provider_form) {
  return platform::ado::connect(form(server), vb::Here{});
}

// What the server receives, not the text we build: every user, password and database arrives
// exactly as the connection string holds it.
TEST(OdbcSession, TheServerReceivesEachLoginValueUnchanged) {
  test_support::TdsListener server;
  const struct {
    const char* user;
    const char* password;
    const char* database;
  } cases[] = {
      {"sa", "p}w", "OA"},
      {"u}}x", "a;b}c", "o}a"},
      {"a;b=c", "{x}", " pad "},
      {"u<&'\">", "p w<&'\">\r\n", "OA}"},
      {"{u", "}", "d;b"},
  };
  for (const auto& c : cases) {
    auto quoted = [](std::string v) {
      for (std::size_t at = v.find('\''); at != std::string::npos; at = v.find('\'', at + 2))
        v.insert(at, "'");
      return "'" + v + "'";
    };
    const std::string connect = "Provider=SQLOLEDB;Data Source=127.0.0.1," +
                                std::to_string(server.port()) + ";Initial Catalog=" +
                                quoted(c.database) + ";User ID=" + quoted(c.user) +
                                ";Password=" + quoted(c.password);
    const std::size_t before = server.logins().size();
    Connection conn;
    try {
      conn.Open(connect);
    } catch (const vb::VbError& e) {
      ADD_FAILURE() << c.password << ": " << e.description();
    }
    const auto logins = server.logins();
    ASSERT_EQ(logins.size(), before + 1) << c.password;
    EXPECT_EQ(logins.back().user, c.user);
    EXPECT_EQ(logins.back().password, c.password);
    EXPECT_EQ(logins.back().database, c.database);
  }
}

// A table whose key the server names: the insert and the read-back by SCOPE_IDENTITY() reach
// the server as one request (a trigger's own statements cannot come between them), and the
// value arrives as sent.
TEST(OdbcSession, AnInsertReachesTheServerAsOneBatchWithItsReadBack) {
  test_support::TdsListener server;
  const auto session = session_with(server);
  const std::string hostile = "<!--<script>&\"'</script>\r\n";
  session->insert_row("T", {"OAID", "Remark"}, {vb::Variant(), vb::Variant(hostile)},
                      {false, true}, 30, vb::Here{});
  int inserts = 0;
  for (const std::string& request : server.requests()) {
    if (!test_support::TdsListener::holds(request, "INSERT INTO")) continue;
    ++inserts;
    EXPECT_TRUE(test_support::TdsListener::holds(
        request, "INSERT INTO \"T\" (\"Remark\") VALUES (@P1);SELECT \"OAID\",\"Remark\" FROM "
                 "\"T\" WHERE \"OAID\"=SCOPE_IDENTITY()"));
    EXPECT_TRUE(test_support::TdsListener::holds(request, hostile));
  }
  EXPECT_EQ(inserts, 1);
}

// SQL Server reads the page's text with its own types and plans: every literal reaches it in
// the text, whole (a Chinese '...' cut to bytes finds nothing; thousands of values as parameters
// pass the server's limit of 2,100; FOR XML PATH('') takes no parameter), whatever client
// charset the connection string leaves FreeTDS; each text is run twice, once with its text and
// once prepared.
TEST(OdbcSession, ThePagesTextReachesTheServerAsWritten) {
  for (const Form form : kForms) {
    test_support::TdsListener server;
    const auto session = session_with(server, form);
    std::string in_list = "select TureName from KE_UserInfor where UserName in (";
    for (int i = 0; i < 3000; ++i) in_list += (i == 0 ? "'u" : ",'u") + std::to_string(i) + "'";
    in_list += ")";
    const std::string cases[] = {
        "select ID, Content from KE_Options where Name = '采购类别' order by ID",
        "select Content from KE_Options where Name = N'常用意见' and Kind = 3",
        "select * from KE_Details where FieldName='QM单价' and Remark <> "
        "'it''s <&\"> </script <!--<script\r\n'",
        "select ',' + UserName from KE_UserInfor where DepartMentID = 7 for xml path('')",
        "with n(i) as (select 1 union all select i + 1 from n where i < 100) select i from n "
        "option (maxrecursion 100)",
        in_list,
    };
    for (const std::string& sql : cases) {
      for (int run = 0; run < 2; ++run) {
        ResultSet rows;
        session->execute(sql, rows, 30, vb::Here{});
        const auto requests = server.requests();
        ASSERT_FALSE(requests.empty());
        EXPECT_TRUE(test_support::TdsListener::holds(requests.back(), sql))
            << form(server) << ": " << sql.substr(0, 80);
      }
    }
  }
}

// Values the driver binds itself (AddNew, Update) go as wide text of their whole length in
// UTF-16 units: a Chinese value, one beyond the first plane among them, arrives whole in the
// insert and in the update.
TEST(OdbcSession, BoundTextReachesTheServerWhole) {
  for (const Form form : kForms) {
    test_support::TdsListener server;
    const auto session = session_with(server, form);
    const std::string inserted = "采购类别\U00020000", updated = "常用意见<&'\"></script>";
    session->insert_row("T", {"OAID", "Remark"}, {vb::Variant(), vb::Variant(inserted)},
                        {false, true}, 30, vb::Here{});
    const std::string insert = server.requests().back();
    EXPECT_TRUE(test_support::TdsListener::holds(insert, "INSERT INTO"));
    EXPECT_TRUE(test_support::TdsListener::holds(insert, inserted));
    try {
      session->update_row("T", {"OAID", "Remark"}, {vb::Variant(7), vb::Variant(inserted)},
                          {vb::Variant(7), vb::Variant(updated)}, {false, true}, 30, vb::Here{});
    } catch (const vb::VbError&) {
      // The stand-in reports no changed row; what it received is what counts here.
    }
    const std::string update = server.requests().back();
    EXPECT_TRUE(test_support::TdsListener::holds(update, "UPDATE"));
    EXPECT_TRUE(test_support::TdsListener::holds(update, updated));
  }
}

// Requests the server receives for the page's texts, pass after pass: a text met once costs
// the one request that runs it and leaves nothing prepared; met again, it is prepared by the
// request that runs it while the session's bound allows, else run with its text again; from
// then on a kept text runs by its handle. More texts than the bound keeps, so that none costs
// a request to free another; a text of 256 KB (a distribution list of thousands of users) is
// never kept.
TEST(OdbcSession, EveryRunCostsOneRequestAndOnlyARepeatedTextIsPrepared) {
  using test_support::TdsListener;
  TdsListener server;
  const auto session = session_with(server, driver_form);
  std::vector<std::string> texts;
  for (int i = 0; i < 600; ++i) {
    texts.push_back("select Content from KE_Options where Name = '类别" + std::to_string(i) +
                    "<&\"'</script>'");
  }
  std::string long_text = "select TureName from KE_UserInfor where UserName in ('u'";
  while (long_text.size() < 256 * 1024) long_text += ",'u" + std::to_string(long_text.size()) + "'";
  texts.push_back(long_text + ")");
  std::ptrdiff_t kept = 0;
  for (const int pass : {1, 2, 3}) {
    const std::size_t before = server.requests().size();
    for (const std::string& sql : texts) {
      ResultSet rows;
      session->execute(sql, rows, 30, vb::Here{});
    }
    const std::vector<int> all = server.procedures();
    ASSERT_EQ(all.size(), before + texts.size()) << "pass " << pass;
    const std::vector<int> procedures(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    const auto count = [&](int p) { return std::count(procedures.begin(), procedures.end(), p); };
    if (pass == 2) kept = count(TdsListener::kPrepExec);
    EXPECT_EQ(count(TdsListener::kPrepExec), pass == 2 ? kept : 0) << "pass " << pass;
    EXPECT_EQ(count(TdsListener::kExecute), pass == 3 ? kept : 0) << "pass " << pass;
    EXPECT_EQ(count(0), static_cast<std::ptrdiff_t>(procedures.size()) - (pass == 1 ? 0 : kept))
        << "pass " << pass;
    EXPECT_EQ(procedures.back(), 0) << "the long text runs with its text";
  }
  EXPECT_GT(kept, 400);
}

// A server that hangs up on its idle clients (a restart, a fail-over): the pooled session is
// opened again before the next request's first statement, and every statement of that request
// runs, those that ran by a kept handle before among them; a session whose server is still
// there is used again.
TEST(OdbcSession, ASessionWhoseServerHungUpIsOpenedAgainBeforeItsNextStatement) {
  test_support::TdsListener server;
  const std::string connect = driver_form(server);
  for (int request = 0; request < 4; ++request) {
    if (request == 2) server.drop_clients();
    Connection conn;
    conn.Open(connect);
    for (const char* sql : {"select 1 from T where Remark = '<&\"'</script>\r\n'",
                            "update T set Kind = 1 where OAID = 7"}) {
      for (int run = 0; run < 3; ++run) conn.Execute(sql);
    }
    conn.Close();
    EXPECT_EQ(server.logins().size(), request < 2 ? 1u : 2u) << "request " << request;
  }
}

}  // namespace
}  // namespace platform::ado::testing
