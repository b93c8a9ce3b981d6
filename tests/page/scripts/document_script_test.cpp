// The document-control scripts: written for office-document forms only, with the server's
// choices in Load() and one set of lines per bookmark.
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
  // The OPTION and PARMLIST lines of Load(), in order.
  std::string load_commands() const {
    std::string lines;
    const size_t load = out().find("function Load()");
    const size_t end = out().find("end function", load);
    for (size_t at = load; (at = out().find("\twebform.WebOffice.", at)) < end; ++at) {
      const std::string line = out().substr(at + 19, out().find("\r\n", at) - at - 19);
      if (line.rfind("OPTION", 0) == 0 || line.rfind("PARMLIST", 0) == 0) lines += line + " ";
    }
    return lines;
  }
};

TEST_F(DocumentScriptTest, OnlyForAnOfficeDocument) {
  for (const char* kind : {"2", "3", ""}) {
    p.ZhengWenType = kind;
    page::write_document_script(p);
    EXPECT_EQ(out(), "") << kind;
  }
}

TEST_F(DocumentScriptTest, LoadCommandsByFileAndNewFlow) {
  struct Case {
    const char* operate;
    const char* isJiaZai;
    const char* FileID;
    const char* commands;
  } cases[] = {
      {"新建流程", "1", "", "OPTION=\"LOADFILE\" OPTION=\"LOADMOBAN\" PARMLIST=\"7\" "},
      {"新建流程", "0", "", "OPTION=\"LOADFILE\" PARMLIST=\"7\" "},
      {"待办流程", "1", "", "OPTION=\"LOADFILE\" PARMLIST=\"7\" "},
      {"修改流程", "0", "F-9", "OPTION=\"LOADVERSION\" PARMLIST=\"7\" "},
  };
  for (const Case& c : cases) {
    response_->take_body();
    p.CurrentOperate = c.operate;
    p.isJiaZai = c.isJiaZai;
    p.FileID = c.FileID;
    page::write_document_script(p);
    EXPECT_EQ(load_commands(), std::string("PARMLIST=\"") + c.FileID + "\" " + c.commands)
        << c.operate << c.isJiaZai;
  }
  EXPECT_TRUE(
      has("\twebform.WebOffice.PARMLIST=\"F-9\"\r\n"
          "\twebform.WebOffice.OPTION=\"LOADVERSION\"\r\n"
          "\twebform.WebOffice.isNewFile=\"TRUE\"\r\n"
          "\twebform.WebOffice.PARMLIST=\"7\"\r\n"));
}

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
