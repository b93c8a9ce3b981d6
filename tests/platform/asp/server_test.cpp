// Server: HTMLEncode, MapPath inside the site only, and Execute of a sibling page.
#include "platform/asp/server.h"

#include <gtest/gtest.h>

#include "platform/asp/object_context.h"
#include "support/vb_matchers.h"

namespace platform::asp {
namespace {

constexpr long kServerFailed = -2147467259;

TEST(ServerHTMLEncode, EncodesOnlyTheFourMarkupCharacters) {
  const std::pair<vb::Variant, std::string> cases[] = {
      {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e'f"},
      {vb::Variant(), ""},
      {vb::Variant(vb::Null), ""},
      {vb::Variant(12), "12"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(Server::HTMLEncode(value), expected);
}

TEST(ServerMapPath, ResolvesAgainstThePageFolderOrTheSiteRootAndNeverAbove) {
  const Server server("/srv/site", "/flow", nullptr);
  const std::pair<const char*, const char*> cases[] = {
      {"FlowURL.xml", "/srv/site/flow/FlowURL.xml"},
      {"/images/a.gif", "/srv/site/images/a.gif"},
      {"\\images\\a.gif", "/srv/site/images/a.gif"},
      {"../inc/./x.asp", "/srv/site/inc/x.asp"},
      {"", "/srv/site/flow"},
      {"/", "/srv/site/"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(server.MapPath(path), expected) << path;
  for (const char* path : {"../../etc/passwd", "/..", "..\\..\\x"}) {
    SCOPED_TRACE(path);
    EXPECT_VB_ERROR_TEXT(
        kServerFailed,
        "The '..' characters are not allowed in the Path parameter for the MapPath method.",
        server.MapPath(path));
  }
}

// Execute runs a sibling page on the request's own objects, only while a request is on and only a
// page the host has, and lets the page's failures pass.
TEST(ServerExecute, RunsTheSiblingPageOnTheRequestsObjectsWhileARequestIsOn) {
  auto pages = std::make_shared<SiblingPages>();
  (*pages)["ExecuteFlow.asp"] = [](ObjectContext& context) {
    Session& session = context.session();
    if (session.get("ExecuteString") == "fail") vb::raise(vb::kDivisionByZero);
    session["ReturnString"] = "ran " + session.get("ExecuteString").str();
    context.response().write("<sibling>");
  };
  auto server = std::make_shared<Server>("/srv/site", "/flow", pages);
  auto session = std::make_shared<Session>();
  auto response = std::make_shared<Response>();
  const char* const text = "The call to Server.Execute failed while loading the page.";
  EXPECT_VB_ERROR_TEXT(kServerFailed, text, server->Execute("ExecuteFlow.asp"));  // no request yet
  {
    ObjectContext context(server, std::make_shared<Application>(), session,
                          std::make_shared<Request>(), response);
    // A page that the host does not have fails as it does with no request, and runs nothing.
    EXPECT_VB_ERROR_TEXT(kServerFailed, text, server->Execute("ExecuteFlow.aspx"));
    EXPECT_EQ(response->body(), "");
    (*session)["ExecuteString"] = "now()";
    server->Execute("executeflow.asp");
    EXPECT_EQ(session->get("ReturnString"), "ran now()");
    EXPECT_EQ(response->body(), "<sibling>");
    (*session)["ExecuteString"] = "fail";
    EXPECT_VB_ERROR(11, server->Execute("ExecuteFlow.asp"));
  }
  EXPECT_VB_ERROR_TEXT(kServerFailed, text, server->Execute("ExecuteFlow.asp"));  // request ended
}

}  // namespace
}  // namespace platform::asp
