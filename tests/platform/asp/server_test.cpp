#include "platform/asp/server.h"

#include <gtest/gtest.h>

#include "platform/asp/object_context.h"

namespace platform::asp {
namespace {

std::shared_ptr<Server> make_server(std::shared_ptr<const SiblingPages> pages = nullptr) {
  return std::make_shared<Server>("/srv/site", "/flow", std::move(pages));
}

TEST(ServerHTMLEncode, EncodesOnlyTheFourMarkupCharacters) {
  const std::pair<vb::Variant, std::string> cases[] = {
      {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e'f"},
      {"&amp;", "&amp;amp;"},
      {"中文 \r\n\t©", "中文 \r\n\t©"},
      {"", ""},
      {vb::Variant(), ""},
      {vb::Variant(vb::Null), ""},
      {vb::Variant(12), "12"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(Server::HTMLEncode(value), expected);
}

TEST(ServerMapPath, ResolvesAgainstThePageFolderOrTheSiteRoot) {
  auto server = make_server();
  const std::pair<const char*, const char*> cases[] = {
      {"FlowURL.xml", "/srv/site/flow/FlowURL.xml"},
      {"/images/a.gif", "/srv/site/images/a.gif"},
      {"\\images\\a.gif", "/srv/site/images/a.gif"},
      {"../inc/./x.asp", "/srv/site/inc/x.asp"},
      {"", "/srv/site/flow"},
      {"/", "/srv/site/"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(server->MapPath(path), expected) << path;
}

TEST(ServerMapPath, RefusesToClimbAboveTheSite) {
  auto server = make_server();
  for (const char* path : {"../../etc/passwd", "/..", "..\\..\\x"}) {
    try {
      server->MapPath(path);
      ADD_FAILURE() << path;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.number(), -2147467259);
      EXPECT_EQ(e.description(),
                "The '..' characters are not allowed in the Path parameter for the MapPath "
                "method.");
    }
  }
}

TEST(ServerExecute, RunsTheSiblingPageWithTheSameRequestObjects) {
  auto pages = std::make_shared<SiblingPages>();
  (*pages)["ExecuteFlow.asp"] = [](ObjectContext& context) {
    Session& session = context.session();
    session["ReturnString"] = "ran " + session.get("ExecuteString").str();
    context.response().write("<sibling>");
  };
  auto server = make_server(pages);
  auto session = std::make_shared<Session>();
  auto response = std::make_shared<Response>();
  ObjectContext context(server, std::make_shared<Application>(), session,
                        std::make_shared<Request>(), response);
  (*session)["ExecuteString"] = "now()";
  server->Execute("executeflow.asp");
  EXPECT_EQ(session->get("ReturnString"), "ran now()");
  EXPECT_EQ(response->body(), "<sibling>");
}

TEST(ServerExecute, UnknownPageOrNoContextFails) {
  auto pages = std::make_shared<SiblingPages>();
  (*pages)["ExecuteFlow.asp"] = [](ObjectContext&) {};
  auto server = make_server(pages);
  const auto error_of = [&](const char* path) -> long {
    try {
      server->Execute(path);
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.description(), "The call to Server.Execute failed while loading the page.");
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(error_of("ExecuteFlow.asp"), -2147467259);  // not handed to a request yet
  {
    ObjectContext context(server, std::make_shared<Application>(), std::make_shared<Session>(),
                          std::make_shared<Request>(), std::make_shared<Response>());
    EXPECT_EQ(error_of("ExecuteFlow.asp"), 0);
    EXPECT_EQ(error_of("Missing.asp"), -2147467259);
  }
  EXPECT_EQ(error_of("ExecuteFlow.asp"), -2147467259);  // its request has ended
}

TEST(ServerExecute, FailuresOfTheSiblingPagePassThrough) {
  auto pages = std::make_shared<SiblingPages>();
  (*pages)["ExecuteFlow.asp"] = [](ObjectContext&) { vb::raise(vb::kDivisionByZero); };
  auto server = make_server(pages);
  ObjectContext context(server, std::make_shared<Application>(), std::make_shared<Session>(),
                        std::make_shared<Request>(), std::make_shared<Response>());
  try {
    server->Execute("ExecuteFlow.asp");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 11);
  }
}

}  // namespace
}  // namespace platform::asp
