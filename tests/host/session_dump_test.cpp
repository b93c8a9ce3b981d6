// The session file of render --session-out.
#include "host/session_dump.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(DumpSession, WritesSortedValuesEachOnItsLineThenTheProperties) {
  platform::asp::Session session;
  session["UserName"] = "zhang";
  session["OpenerCanClose"] = true;
  session["isAdmin"] = false;
  session["DepartMentID"] = 12;
  session["ReturnString"] = vb::Variant();
  session["TQBiaoDanID"] = vb::Null;
  session["TureName"] = "张三";
  session["ExecuteString"] = "a\r\nb\\n";
  session["Parts"] = vb::Array{vb::Variant(1)};
  session.TimeOut = 45;
  EXPECT_EQ(dump_session(session),
            "DepartMentID=12\n"
            "ExecuteString=a\\r\\nb\\\\n\n"
            "OpenerCanClose=True\n"
            "Parts=[Array]\n"
            "ReturnString=\n"
            "TQBiaoDanID=Null\n"
            "TureName=张三\n"
            "UserName=zhang\n"
            "isAdmin=False\n"
            "@CodePage=936\n"
            "@TimeOut=45\n");
}

}  // namespace
}  // namespace host
