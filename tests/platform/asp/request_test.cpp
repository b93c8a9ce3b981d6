// Request: the four collections, searched in order, keys in any case, missing keys Empty.
#include "platform/asp/request.h"

#include <gtest/gtest.h>

namespace platform::asp {
namespace {

class RequestTest : public testing::Test {
 protected:
  RequestTest() {
    request_.add_query_string("BiaoDanID", "q");
    request_.add_query_string("JieDianID", "12");
    request_.add_query_string("blank", "");
    request_.add_form("BiaoDanID", "f");
    request_.add_form("msg", "表单");
    request_.set_cookie("msg", "c");
    request_.set_cookie("_myConfigBiaoDan", "0");
    request_.set_server_variable("_myConfigBiaoDan", "s");
    request_.set_server_variable("REMOTE_ADDR", "10.0.0.7");
  }
  Request request_;
};

TEST_F(RequestTest, SearchesQueryStringFormCookiesThenServerVariablesInAnyCase) {
  EXPECT_EQ(request_("biaodanid"), "q");
  EXPECT_EQ(request_("MSG"), "表单");
  EXPECT_EQ(request_("_myConfigBiaoDan"), "0");
  EXPECT_EQ(request_("remote_addr"), "10.0.0.7");
  EXPECT_TRUE(request_("FileID").is_empty());
  EXPECT_TRUE(request_("JieDianID").is_string());  // text, even when numeric or blank
  EXPECT_TRUE(request_("blank").is_string());
  // Each collection reads only itself.
  EXPECT_EQ(request_.QueryString("BiaoDanID"), "q");
  EXPECT_EQ(request_.Form("biaodanid"), "f");
  EXPECT_EQ(request_.Cookies("msg"), "c");
  EXPECT_EQ(request_.ServerVariables("remote_addr"), "10.0.0.7");
  EXPECT_TRUE(request_.QueryString("msg").is_empty());
  EXPECT_TRUE(request_.Cookies("REMOTE_ADDR").is_empty());
}

TEST_F(RequestTest, RepeatedQueryAndFormKeysJoinTheirValuesCookiesAreReplaced) {
  request_.add_query_string("biaodanid", "2");
  request_.add_form("a", "1");
  request_.add_form("A", "");
  request_.set_cookie("msg", "c2");
  EXPECT_EQ(request_("BiaoDanID"), "q, 2");
  EXPECT_EQ(request_.Form("a"), "1, ");
  EXPECT_EQ(request_.Cookies("msg"), "c2");
}

}  // namespace
}  // namespace platform::asp
