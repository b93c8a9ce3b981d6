// Code page 936 on the wire: GBK bytes out, character references for what GBK lacks.
#include "vb/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace vb {
namespace {

struct Case {
  const char* utf8;
  std::string cp936;
};

TEST(ToCp936, WritesGbkBytesAndReferencesForTheRestAtAnyLength) {
  const Case cases[] = {
      {"", ""},
      {"plain <b>ASCII</b>\r\n\t", "plain <b>ASCII</b>\r\n\t"},
      {"中文", "\xD6\xD0\xCE\xC4"},
      {"流程办理", "\xC1\xF7\xB3\xCC\xB0\xEC\xC0\xED"},
      {"€", "\x80"},  // code page 936's one single-byte extra
      {"￥·—", "\xA3\xA4\xA1\xA4\xA1\xAA"},
      {"À", "&#192;"},  // Latin capital A grave is not in GBK
      {"a한b", "a&#54620;b"},
      {"😀", "&#128512;"},                             // outside the BMP
      {"中😀文À", "\xD6\xD0&#128512;\xCE\xC4&#192;"},  // conversion goes on after each one
      {"a\xFFz", "a&#65533;z"},                       // one reference per invalid byte
      {"\xE4\xB8", "&#65533;&#65533;"},               // truncated at the end
      {"中\xE4\xB8<文", "\xD6\xD0&#65533;&#65533;<\xCE\xC4"},  // truncated before ASCII
      {"\xC0\xAFx", "&#65533;&#65533;x"},             // overlong "/"
      {"\xED\xA0\x80", "&#65533;&#65533;&#65533;"},   // a surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(to_cp936(c.utf8), c.cp936) << c.utf8;
  EXPECT_EQ(to_cp936(std::string("a\0b", 3)), std::string("a\0b", 3));
  std::string utf8, expected;  // long text full of references
  for (int i = 0; i < 20000; ++i) {
    utf8 += "中À";
    expected += "\xD6\xD0&#192;";
  }
  EXPECT_EQ(to_cp936(utf8), expected);
}

TEST(FromCp936, ReadsGbkBytes) {
  const Case cases[] = {{"", ""},
                        {"BiaoDanID=12", "BiaoDanID=12"},
                        {"中文", "\xD6\xD0\xCE\xC4"},
                        {"€", "\x80"},
                        {"\uFFFDz", "\xFFz"},  // 0xFF is no lead byte
                        {"\uFFFD", "\xD6"}};   // a lead byte cut off at the end
  for (const Case& c : cases) EXPECT_EQ(from_cp936(c.cp936), c.utf8) << c.utf8;
  const std::string text = "系统提示：您没有授权或者该节点已经办理完参数错误！ ABC 123 €";
  EXPECT_EQ(from_cp936(to_cp936(text)), text);
}

}  // namespace
}  // namespace vb
