// The document-control scripts: written for office-document forms only, with one set of lines
// per bookmark.
#include "page/scripts/document_script.h"

#include <gtest/gtest.h>

#include <string>

#include "page/entry/phase_fixture.h"

namespace page_test {
namespace {

class DocumentScriptTest : public PhaseTest {
 protected:
  DocumentScriptTest() {
    p.ZhengWenType = "1";
    p.WordServerOpenURL = "/oa/Word/WordServerOpen.asp";
    p.WordServerSaveURL = "/oa/Word/WordServerSave.asp";
    p.RecordID = "zhang201109020509";
    p.FileID = "";
    p.BiaoDanID = "7";
    p.isNewFile = "TRUE";
    p.TureName = "张三";
    p.BookMarkNames = vb::Array(1);
    p.BookMarkValues = vb::Array(1);
  }
  const std::string& out() const { return response_->body(); }
  bool has(const std::string& text) const { return out().find(text) != std::string::npos; }
};

TEST_F(DocumentScriptTest, BookmarkLinesKeepTheirStrings) {
  p.BookMarkNames = vb::Array{vb::Variant(), "标题", "a\"b\r\nc</script>"};
  p.BookMarkValues = vb::Array{vb::Variant(), "请假", "x\"y"};
  page::write_document_script(p);
  EXPECT_TRUE(has("Exists(\"a\"\"b\" & vbCr & \"\" & vbLf & \"c<\" & \"/script>\") then\r\n"));
  EXPECT_TRUE(has("typetext \"x\"\"y\" '插入值"));
  EXPECT_EQ(out().find("</script>", out().find("Exists(\"a")),
            out().find("</script>\r\n", out().find("SaveDocumentZanCun")));
}

}  // namespace
}  // namespace page_test
