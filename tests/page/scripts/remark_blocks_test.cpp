// The remark's script blocks are what the expression that cuts around them leaves.
#include "page/scripts/remark_blocks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "library/bumen.h"
#include "library/page_context.h"
#include "vb/builtins.h"

namespace page_test {
namespace {

TEST(RemarkBlock, LeavesWhatTheExpressionLeaves) {
  library::PageContext ctx(std::make_shared<platform::eventlog::RecordingEventLog>());
  for (const char* text :
       {"<VB>a</VB>", "x<VB>a</VB>y", "<VB><VB>a</VB></VB>", "<VB>a</Vb>b</VB>", "</VB><VB>a",
        "<VB>a\r\n</VB>\n<vB>b</VB>", "<VB></VB>", "<VB>甲</VB>乙<VB>丙</VB>", "<VB>a</VB><VB>",
        "<vb>a</VB><VB>b</vb>c</VB>"}) {
    EXPECT_EQ(vb::CStr(page::remark_block(text, "VB")),
              vb::CStr(library::replacetest(ctx, text, "((.|\\n)*<VB>)|(</VB>(.|\\n)*)", "")))
        << text;
  }
}

TEST(RemarkBlock, NeedsBothTagsInUpperCase) {
  for (const vb::Variant& remark :
       {vb::Variant(), vb::Variant(vb::NullValue{}), vb::Variant(""), vb::Variant("<pre>a</pre>"),
        vb::Variant("<PRE>a</pre>"), vb::Variant("<pre>a</PRE>"), vb::Variant("<PRE>open")}) {
    EXPECT_EQ(vb::CStr(page::remark_block(remark, "PRE")), "");
  }
  EXPECT_EQ(vb::CStr(page::remark_block("<PASP>a</PASP><PRE>b</PRE>", "PRE")), "b");
}

}  // namespace
}  // namespace page_test
