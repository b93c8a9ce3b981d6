// The command line's dates, addresses and KEY=VALUE items.
#include "host/argument_values.h"

#include <gtest/gtest.h>

#include "support/vb_matchers.h"
#include "vb/calendar.h"

namespace host {
namespace {

TEST(ParseFixedNow, ReadsTheOneForm) {
  std::optional<vb::Date> now = parse_fixed_now("2011-09-02 09:05:07");
  ASSERT_TRUE(now);
  EXPECT_EQ(vb::format_date(*now), "2011-9-2 9:05:07");
  EXPECT_EQ(vb::format_date(*parse_fixed_now("2012-02-29 00:00:00")), "2012-2-29");
  EXPECT_EQ(vb::format_date(*parse_fixed_now("1899-12-30 23:59:59")), "23:59:59");
}

TEST(ParseFixedNow, RefusesEverythingElse) {
  for (const char* text :
       {"", "2011-09-02", "2011-9-2 09:05:07", "2011-09-02T09:05:07", "2011-09-02 09:05",
        "2011-09-02 09:05:07 ", "2011-02-29 00:00:00", "2011-04-31 00:00:00", "2011-13-01 00:00:00",
        "2011-00-10 00:00:00", "2011-09-00 00:00:00", "2011-09-02 24:00:00", "2011-09-02 23:60:00",
        "2011-09-02 23:59:60", "0099-09-02 00:00:00"}) {
    EXPECT_FALSE(parse_fixed_now(text)) << text;
  }
}

TEST(ParseListen, SplitsHostAndPort) {
  struct Case {
    const char* text;
    const char* host;
    int port;
  };
  for (const Case& c :
       {Case{"127.0.0.1:8080", "127.0.0.1", 8080}, Case{"localhost:0", "localhost", 0},
        Case{"0.0.0.0:65535", "0.0.0.0", 65535}, Case{"[::1]:80", "::1", 80}}) {
    std::optional<Listen> listen = parse_listen(c.text);
    ASSERT_TRUE(listen) << c.text;
    EXPECT_EQ(listen->host, c.host);
    EXPECT_EQ(listen->port, c.port);
  }
  for (const char* text :
       {"", "8080", ":8080", "host:", "host:-1", "host:65536", "host:80x", "host: 80"}) {
    EXPECT_FALSE(parse_listen(text)) << text;
  }
}

TEST(ParseKeyValues, SplitsAtTheFirstEqualsSign) {
  std::string pairs;
  for (const auto& [key, value] : parse_key_values({"UserName=<&\"'", "ExecuteString=a=b", "E="})) {
    pairs += key + " " + test_support::typed(value) + ";";
  }
  EXPECT_EQ(pairs, "UserName String:<&\"';ExecuteString String:a=b;E String:;");
}

}  // namespace
}  // namespace host
