// The session file of render --session-out.
#include "host/session_dump.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(DumpSession, WritesSortedValuesEachOnItsLineThenTheProperties) {
  platform::asp::Session session;
  session["UserName"] = "zhang";
  session["isAdmin"] = false;
  session["ReturnString"] = vb::Variant();
  session["TQBiaoDanID"] = vb::Null;
  session["ExecuteString"] = "<a\r\n\"&\\n";
  session["Parts"] = vb::Array{vb::Variant(1)};
  session.TimeOut = 45;
  EXPECT_EQ(dump_session(session),
            "ExecuteString=<a\\r\\n\"&\\\\n\n"
            "Parts=[Array]\n"
            "ReturnString=\n"
            "TQBiaoDanID=Null\n"
            "UserName=zhang\n"
            "isAdmin=False\n"
            "@CodePage=936\n"
            "@TimeOut=45\n");
}

}  // namespace
}  // namespace host
