// Decoding of query strings, form bodies and cookie headers.
#include "host/url_values.h"

#include <gtest/gtest.h>

namespace host {
namespace {

TEST(ParseUrlencoded, DecodesPercentAndPlusInNamesAndValues) {
  EXPECT_EQ(parse_urlencoded("BiaoDanID=1&JieDianID=22", Charset::utf8),
            (ValuePairs{{"BiaoDanID", "1"}, {"JieDianID", "22"}}));
  EXPECT_EQ(parse_urlencoded("msg=a+b%20c%26d%3De&x%41y=1", Charset::utf8),
            (ValuePairs{{"msg", "a b c&d=e"}, {"xAy", "1"}}));
}

TEST(ParseUrlencoded, ReadsTheBytesInTheGivenCharset) {
  EXPECT_EQ(parse_urlencoded("msg=%E4%B8%AD%E6%96%87", Charset::utf8),
            (ValuePairs{{"msg", "中文"}}));
  EXPECT_EQ(parse_urlencoded("msg=%D6%D0%CE%C4&%D6%D0=1", Charset::cp936),
            (ValuePairs{{"msg", "中文"}, {"中", "1"}}));
  EXPECT_EQ(parse_urlencoded("msg=%D6", Charset::cp936), (ValuePairs{{"msg", "\uFFFD"}}));
}

TEST(ParseUrlencoded, KeepsRepeatsAndSkipsEmptySegments) {
  EXPECT_EQ(parse_urlencoded("", Charset::utf8), ValuePairs{});
  EXPECT_EQ(parse_urlencoded("&&a=1&&a=1&b&c=", Charset::utf8),
            (ValuePairs{{"a", "1"}, {"a", "1"}, {"b", ""}, {"c", ""}}));
  EXPECT_EQ(parse_urlencoded("a==1", Charset::utf8), (ValuePairs{{"a", "=1"}}));
}

TEST(ParseUrlencoded, LeavesAPercentWithoutTwoHexDigitsAsItIs) {
  EXPECT_EQ(parse_urlencoded("a=100%&b=%4&c=%zz%41&%=%%41", Charset::utf8),
            (ValuePairs{{"a", "100%"}, {"b", "%4"}, {"c", "%zzA"}, {"%", "%A"}}));
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
