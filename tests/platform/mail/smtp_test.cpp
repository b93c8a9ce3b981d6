// The SMTP layer: what a message looks like on the wire, and what arrives at a server that
// takes it, whose certificate we do not trust, or that never answers.
#include "platform/mail/smtp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

#include "support/smtp_listener.h"
#include "vb/codepage.h"

namespace {

using platform::mail::Message;
using test_support::SmtpListener;

Message message_to(int port) {
  Message m;
  m.server = "127.0.0.1:" + std::to_string(port);
  m.from_address = "oa@example.com";
  m.from_name = "办公系统";
  m.recipients = {"a@example.com", "b@example.com"};
  m.subject = "会议通知 \"A\"";
  m.body = "<p>明天开会</p>";
  return m;
}

// The body of a composed message, decoded from base64 and from code page 936.
std::string decoded_body(const std::string& data) {
  static constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  int bits = 0, value = 0;
  for (char c : data.substr(data.find("\r\n\r\n") + 4)) {
    const auto digit = kDigits.find(c);
    if (digit == std::string_view::npos) continue;
    value = (value << 6 | static_cast<int>(digit)) & 0xffffff;
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes += static_cast<char>((value >> bits) & 0xff);
    }
  }
  return vb::from_cp936(bytes);
}

TEST(SmtpCompose, HeadersAreEncodedWordsAndTheBodyIsGb2312) {
  Message m = message_to(25);
  m.priority = 1;
  const std::string text = platform::mail::compose(m, "Fri, 02 Sep 2011 09:05:07 +0000");
  for (const char* header : {"\r\nTo: <a@example.com>, <b@example.com>\r\n",
                             "\r\nSubject: =?gb2312?B?u+HS6c2o1qogIkEi?=\r\nX-Priority: 1\r\n",
                             "charset=gb2312\r\nContent-Transfer-Encoding: base64\r\n\r\n"}) {
    EXPECT_NE(text.find(header), std::string::npos) << header;
  }
  EXPECT_EQ(decoded_body(text), "<p>明天开会</p>");
}

TEST(SmtpCompose, TextOutsideTheCodePageKeepsEveryCharacter) {
  Message m = message_to(25);
  m.subject = "表情😀";
  m.body = "𠀀 and 😀";
  m.html = false;
  const std::string text = platform::mail::compose(m, "x");
  EXPECT_NE(text.find("Subject: =?UTF-8?B?6KGo5oOF8J+YgA==?=\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Content-Type: text/plain; charset=gb2312"), std::string::npos);
  EXPECT_EQ(decoded_body(text), "&#131072; and &#128512;");
}

TEST(SmtpCompose, ALineBreakCannotAddAHeader) {
  Message m = message_to(25);
  m.subject = "hi\r\nBcc: x@example.com";
  const std::string text = platform::mail::compose(m, "x");
  EXPECT_NE(text.find("Subject: hi  Bcc: x@example.com\r\n"), std::string::npos) << text;
}

TEST(SmtpDeliver, TheServerReceivesTheLogin) {
  SmtpListener server;
  Message m = message_to(server.port());
  m.user_name = "oa";
  m.password = "secret";
  EXPECT_EQ(platform::mail::deliver(m), "");
  const auto mails = server.received();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_NE(mails[0].login.find("AG9hAHNlY3JldA=="), std::string::npos);  // \0oa\0secret
}

// A server with a certificate of an internal authority: refused, with the reason, until that
// authority is named; verification stays on whatever is named.
TEST(SmtpDeliver, StartTlsTrustsTheNamedAuthorityOnly) {
  SmtpListener server(SmtpListener::Mode::kAccept, FLOWFORM_TEST_TLS_DIR);
  const std::string saved = platform::mail::ca_file();
  const std::string refused = platform::mail::deliver(message_to(server.port()));
  EXPECT_NE(refused.find("checked against the system's certificate authorities"), std::string::npos)
      << refused;
  EXPECT_TRUE(server.received().empty());

  platform::mail::ca_file() = std::string(FLOWFORM_TEST_TLS_DIR) + "/server.key";  // no authority
  const std::string wrong = platform::mail::deliver(message_to(server.port()));
  EXPECT_NE(wrong.find("checked against the authorities in "), std::string::npos) << wrong;
  EXPECT_TRUE(server.received().empty());

  platform::mail::ca_file() = std::string(FLOWFORM_TEST_TLS_DIR) + "/ca.pem";
  EXPECT_EQ(platform::mail::deliver(message_to(server.port())), "");
  const auto mails = server.received();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_TRUE(mails[0].tls);
  EXPECT_EQ(decoded_body(mails[0].data), "<p>明天开会</p>");
  platform::mail::ca_file() = saved;
}

TEST(SmtpDeliver, ASilentServerIsGivenUpWithinTheLimit) {
  SmtpListener silent(SmtpListener::Mode::kSilent);
  const platform::mail::Limits saved = platform::mail::limits();
  platform::mail::limits() = {1, 2};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(platform::mail::deliver(message_to(silent.port())), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  platform::mail::limits() = saved;
}

}  // namespace
