// The session file of render --session-out.
#include "host/session_dump.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(DumpSession, WritesSortedValuesThenTheProperties) {
  platform::asp::Session session;
  session["UserName"] = "zhang";
  session["OpenerCanClose"] = true;
  session["isAdmin"] = false;
  session["DepartMentID"] = 12;
  session["ReturnString"] = vb::Variant();
  session["TQBiaoDanID"] = vb::Null;
  session["TureName"] = "张三";
  session.CodePage = 936;
  session.TimeOut = 45;
  EXPECT_EQ(dump_session(session),
            "DepartMentID=12\n"
            "OpenerCanClose=True\n"
            "ReturnString=\n"
            "TQBiaoDanID=Null\n"
            "TureName=张三\n"
            "UserName=zhang\n"
            "isAdmin=False\n"
            "@CodePage=936\n"
            "@TimeOut=45\n");
}

TEST(DumpSession, KeepsEveryValueOnItsLine) {
  platform::asp::Session session;
  session["ExecuteString"] = "a\r\nb\\n";
  session["Parts"] = vb::Array{vb::Variant(1)};
  EXPECT_EQ(dump_session(session),
            "ExecuteString=a\\r\\nb\\\\n\n"
            "Parts=[Array]\n"
            "@CodePage=936\n"
            "@TimeOut=20\n");
}

}  // namespace
}  // namespace host
