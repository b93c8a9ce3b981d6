// Notices, internal mail and the e-mail senders, against the office database and a small SMTP
// server on 127.0.0.1.
#include "library/mail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library_fixture.h"
#include "support/smtp_listener.h"

namespace library_test {
namespace {

using test_support::SmtpListener;

class NoticesTest : public DatabaseTest {
 protected:
  NoticesTest() {
    db_.exec("insert into KE_UserInfor (UserName, TureName) values ('zhang', '张三')");
  }
  std::string notified() {
    return db_.scalar(
        "select group_concat(userName) from (select userName from OA_MSG order by rowid)");
  }
  std::string notices() {
    return db_.scalar(
        "select group_concat(outType||'|'||userName||'|'||msg||'|'||shijian||'|'||url||'|'||"
        "target||'|'||LinkText||'|'||isDisplay||isView||'|'||ID1||'|'||ID2, ' / ') from OA_MSG");
  }
  std::string counts() {
    return db_.scalar(
        "select (select count(*) from KE_Email)||'/'||(select count(*) from OA_DaiBan_Mail)||'/'"
        "||(select count(*) from OA_MSG)");
  }
};

TEST_F(NoticesTest, EverySeparatorNamesARecipientAndTheCallersListIsRewritten) {
  vb::Variant users = "a;b,c*d;;a";
  library::myfunsendxinxi(ctx(), users, "2", "O'Brien <b>来</b>", "看", "x.asp?id=1", "main", 7,
                          "");
  EXPECT_EQ(users, "a*b*c*d**a");
  EXPECT_EQ(notified(), "a,b,c,d,a");
  EXPECT_TRUE(notices().starts_with(
      "2|a|O'Brien <b>来</b>|2011-09-02 09:05|x.asp?id=1|main|看|00|7| / 2|b|"));
  expect_quiet();
}

TEST_F(NoticesTest, InternalMailWritesTheMailItsToDoRowsAndItsNotices) {
  vb::Variant recipients = ";zhang;o'neil";
  library::sendneibuyoujian(ctx(), "zhang", recipients, "it's 会议", "<p>内容</p>");
  expect_quiet();
  EXPECT_EQ(db_.scalar("select KEID||'|'||EmailSubject||'|'||EmailContent||'|'||EmailFrom||'|'||"
                       "ImpDegree||EmailStatus||'|'||EmailDate||'|'||EmailTo from KE_Email"),
            "1|it's 会议|<p>内容</p>|zhang|C1|2011-09-02 09:05:07|"
            "*-0-0-0*zhang-0-0-0*o'neil-0-0-0*");
  EXPECT_EQ(
      db_.scalar("select group_concat(BiaoTi||'|'||EOAID||'|'||ShiJian||'|'||FaJianRen||'|'||"
                 "NeiWai||'|'||ShouJianRen, ' / ') from OA_DaiBan_Mail"),
      "it's 会议|1|2011-09-02 09:05|zhang|1|zhang / it's 会议|1|2011-09-02 09:05|zhang|1|o'neil");
  EXPECT_EQ(notified(), "zhang,o'neil");
  EXPECT_TRUE(notices().starts_with(
      "0|zhang|来自：张三&nbsp;主题：it's 会议|2011-09-02 09:05|MessageInfoDis.asp?KEID=1|"
      "detail|点击查看详情|00|1| / "));
  EXPECT_EQ(recipients, "*zhang*o'neil");
}

// Mail, to-do rows and notices go in together: alone or inside the caller's transaction.
TEST_F(NoticesTest, AFailurePartWayLeavesNoMailBehind) {
  vb::Variant recipients = "zhang";
  conn_->BeginTrans();
  library::sendneibuyoujian(ctx(), "zhang", recipients, "s", "c");
  expect_quiet();
  conn_->CommitTrans();
  EXPECT_EQ(counts(), "1/1/1");
  db_.exec(
      "create trigger no_notices before insert on OA_MSG"
      " begin select raise(abort, 'no notices'); end;");
  for (bool inside : {false, true}) {
    reset();
    if (inside) conn_->BeginTrans();
    conn_->Execute("insert into OA_Log(Remark) values('the caller''s row')");
    library::sendneibuyoujian(ctx(), "zhang", recipients, "s", "c");
    expect_logged_once("", "Routine : qmflobiaodantianx.sendneibuyoujian");
    if (inside) conn_->CommitTrans();
    EXPECT_EQ(counts(), "1/1/1") << inside;
  }
  EXPECT_EQ(db_.scalar("select count(*) from OA_Log"), "2");
}

TEST_F(NoticesTest, GetemailstatusReadsTheUsersFieldInAnyLetterCase) {
  db_.exec("insert into KE_Email (KEID, EmailTo) values (4, '*Zhang-1-0-2*li-0-0-0*')");
  struct Case {
    vb::Variant key, user, index;
    std::string expected;
  } cases[] = {
      {4, "zhang", 3, "String:2"}, {4, "ZHANG", 0, "String:Zhang"}, {4, "li", 1, "String:0"},
      {4, "wang", 0, "String:"},   {9, "zhang", 1, "String:"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed(library::getemailstatus(ctx(), c.key, c.user, c.index)), c.expected)
        << vb::CStr(c.user);
  }
  expect_quiet();
  library::getemailstatus(ctx(), 4, "li", 4);
  expect_reported(9, "Subscript out of range", "getemailstatus");
}

class SendersTest : public DatabaseTest {
 protected:
  void use_server(const SmtpListener& server) {
    db_.exec(
        "insert into SA_Smtp (SMTPIP, SMTPPort, EUsername, EPassword, EmailAddress, "
        "SenderName) values ('127.0.0.1', " +
        std::to_string(server.port()) + ", '', '', 'oa@example.com', '办公系统')");
  }
};

TEST_F(SendersTest, EachSenderDeliversWithTheAccountOfTheSettings) {
  SmtpListener server;
  use_server(server);
  library::mysendmail(ctx(), "主题", "<b>正文</b>", "a@example.com;;b@example.com");
  library::jmail(ctx(), "j", "<i>j</i>", "c@example.com");
  library::cdonts(ctx(), "c", "<i>c</i>", "d@example.com");
  library::aspemail(ctx(), "a", "plain", "e@example.com");
  expect_quiet();
  const auto mails = server.received();
  ASSERT_EQ(mails.size(), 4u);
  EXPECT_EQ(mails[0].recipients, (std::vector<std::string>{"<a@example.com>", "<b@example.com>"}));
  for (const auto& mail : mails) EXPECT_EQ(mail.from, "<oa@example.com>");
  EXPECT_NE(mails[0].data.find("X-Priority: 1\r\n"), std::string::npos);
  EXPECT_NE(mails[1].data.find("X-Priority: 3\r\n"), std::string::npos);
  EXPECT_NE(mails[2].data.find("Content-Type: text/html; charset=gb2312"), std::string::npos);
  EXPECT_NE(mails[3].data.find("Content-Type: text/plain; charset=gb2312"), std::string::npos);
  EXPECT_NE(mails[0].data.find("From: =?gb2312?B?sOy5q8+1zbM=?= <oa@example.com>"),
            std::string::npos);
}

// Without settings the senders send nothing and say nothing; sendemail needs its own server.
TEST_F(SendersTest, SendemailUsesItsOwnServerAndNeedsOne) {
  SmtpListener server;
  const std::string address = "127.0.0.1:" + std::to_string(server.port());
  library::jmail(ctx(), "s", "b", "a@example.com");
  db_.exec("drop table SA_Smtp");
  library::mysendmail(ctx(), "s", "b", "a@example.com");
  library::sendemail(ctx(), "", "f@example.com", "F", "t@example.com", "T", "s", "b", true);
  library::sendemail(ctx(), vb::Null, "f@example.com", "F", "t@example.com", "T", "s", "b", true);
  EXPECT_TRUE(server.received().empty());
  library::sendemail(ctx(), address, "f@example.com", "F", "t@example.com", "T", "s", "b", "TRUE");
  library::sendemail(ctx(), address, "f@example.com", "F", "t@example.com", "T", "s", "b", 0);
  expect_quiet();
  const auto mails = server.received();
  ASSERT_EQ(mails.size(), 2u);
  EXPECT_EQ(mails[0].from, "<f@example.com>");
  EXPECT_NE(mails[0].data.find("text/html"), std::string::npos);
  EXPECT_NE(mails[1].data.find("text/plain"), std::string::npos);
  EXPECT_NE(mails[0].data.find("\r\n\r\nYg0K\r\n"), std::string::npos);  // "b" CR LF
}

TEST_F(SendersTest, AFailedDeliveryGoesToTheEventLogOnly) {
  SmtpListener server(SmtpListener::Mode::kRefuseRecipient);
  use_server(server);
  library::jmail(ctx(), "s", "b", "nobody@example.com");
  EXPECT_EQ(page(), "");
  expect_logged_once("jmail: mail to nobody@example.com through 127.0.0.1:");
  // A line break in a recipient cannot start a forged entry of its own.
  reset();
  library::jmail(ctx(), "s", "b", "x@example.com\r\n13 forged\rLINE\n#1");
  expect_logged_once("jmail: mail to x@example.com 13 forged LINE #1 through 127.0.0.1:");
}

}  // namespace
}  // namespace library_test
