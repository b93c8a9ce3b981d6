// Decoding of query strings, form bodies and cookie headers.
#include "host/url_values.h"

#include <gtest/gtest.h>

namespace host {
namespace {

// Percent and plus in names and values, the given charset, repeats and empty segments, and a
// percent without two hex digits kept as it is.
TEST(ParseUrlencoded, DecodesEachPairInTheGivenCharset) {
  struct Case {
    const char* text;
    Charset charset;
    ValuePairs expected;
  };
  const Case cases[] = {
      {"BiaoDanID=1&JieDianID=22", Charset::utf8, {{"BiaoDanID", "1"}, {"JieDianID", "22"}}},
      {"msg=a+b%20c%26d%3De&x%41y=1", Charset::utf8, {{"msg", "a b c&d=e"}, {"xAy", "1"}}},
      {"msg=%E4%B8%AD%E6%96%87", Charset::utf8, {{"msg", "中文"}}},
      {"msg=%D6%D0%CE%C4&%D6%D0=1", Charset::cp936, {{"msg", "中文"}, {"中", "1"}}},
      {"msg=%D6", Charset::cp936, {{"msg", "\uFFFD"}}},
      {"", Charset::utf8, {}},
      {"&&a=1&&a=1&b&c=", Charset::utf8, {{"a", "1"}, {"a", "1"}, {"b", ""}, {"c", ""}}},
      {"a==1", Charset::utf8, {{"a", "=1"}}},
      {"a=100%&b=%4&c=%zz%41&%=%%41",
       Charset::utf8,
       {{"a", "100%"}, {"b", "%4"}, {"c", "%zzA"}, {"%", "%A"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_urlencoded(c.text, c.charset), c.expected) << c.text;
}

TEST(PercentDecode, DecodesBytesAndKeepsPlus) {
  using namespace std::string_literals;
  EXPECT_EQ(percent_decode("/css/a+b%2F..%5c%2e%00x"), "/css/a+b/..\\.\0x"s);
  EXPECT_EQ(percent_decode("%"), "%");
}

TEST(ParseCookieHeader, SplitsOnSemicolonsAndTrimsBlanks) {
  EXPECT_EQ(parse_cookie_header("", Charset::cp936), ValuePairs{});
  EXPECT_EQ(parse_cookie_header("a=1; _myConfigBiaoDan=0;b=x%D6%D0+y ;  ; c", Charset::cp936),
            (ValuePairs{{"a", "1"}, {"_myConfigBiaoDan", "0"}, {"b", "x中+y"}, {"c", ""}}));
}

}  // namespace
}  // namespace host
