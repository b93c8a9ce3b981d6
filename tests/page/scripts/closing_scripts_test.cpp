#include "page/scripts/closing_scripts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "page/entry/phase_fixture.h"
#include "page/jsdom_runner.h"
#include "support/client_script.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;

// A temporary file holding `text`, removed with the object.
class TempFile {
 public:
  TempFile(const std::string& suffix, const std::string& text)
      : path_("/tmp/flowform-client-XXXXXX" + suffix) {
    const int fd = mkstemps(path_.data(), static_cast<int>(suffix.size()));
    if (fd != -1) close(fd);
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class ClosingScriptsTest : public PhaseTest {
 protected:
  ClosingScriptsTest() {
    db_.exec(
        "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) values"
        " (1, '常用意见', 0, '0', 1), (2, '同意', 1, '1', 1), (3, '已阅', 1, '1', 2)");
    p.BiaoDanID = "7";
    p.BiaoDanRecordID = "3";
    p.JieDianID = "2";
    p.ZhengWenType = "3";
    p.BanLiType = "1";
  }

  // Everything the page writes after the frame, in its order.
  const std::string& closing() {
    page::write_save_check(p);
    page::write_submit_scripts(p);
    page::write_opinion_list(p);
    page::write_print_and_end(p);
    return response_->body();
  }

  // The text between `from` and the end of the line that holds `to` (both included).
  static std::string between(const std::string& text, const std::string& from,
                             const std::string& to) {
    const auto start = text.find(from);
    const auto end = text.find("\r\n", text.find(to, start));
    return start == std::string::npos ? "" : text.substr(start, end + 2 - start);
  }
};

// The editor's text is copied only where the node edits the body of an editor form.
TEST_F(ClosingScriptsTest, ThistosubmitCopiesTheEditorOnlyWhenHandlingAnEditorForm) {
  struct Case {
    const char* ZhengWenType;
    vb::Variant BanLiType;
    bool copies;
  };
  const Case cases[] = {
      {"2", "1", true},
      {"2", "2", false},
      {"2", vb::Variant(), false},
      {"3", "1", false},
  };
  for (const Case& c : cases) {
    response_->take_body();
    p.ZhengWenType = c.ZhengWenType;
    p.BanLiType = c.BanLiType;
    page::write_submit_scripts(p);
    const std::string body = between(response_->body(), "Function thistosubmit()", "End Function");
    EXPECT_EQ(body.find("editGetHtmlRel") != std::string::npos, c.copies) << c.ZhengWenType;
    EXPECT_THAT(body, HasSubstr("\twebform.submit\r\nEnd Function"))
        << c.ZhengWenType << "/" << vb::CStr(c.BanLiType);
  }
}

// Without the category the form holds the message and no list, and the page goes on.
TEST_F(ClosingScriptsTest, AMissingOpinionCategoryLeavesTheMessage) {
  db_.exec("delete from OA_ZiDian");
  page::write_opinion_list(p);
  EXPECT_THAT(response_->body(),
              HasSubstr("style=\"display:none\">\r\n内部错误：请在后台字典中添加“常用意见”目录项。"
                        "</FORM>\r\n<SCript language=vbscript>"));
  EXPECT_EQ(log_->entries(), std::vector<std::string>{});
}

TEST_F(ClosingScriptsTest, HandlingPostsCarryTheKeysAsValidScript) {
  struct Case {
    vb::Variant BiaoDanID, BiaoDanRecordID, JieDianID;
    std::string keys;
  };
  const Case cases[] = {
      {7, "", 12, "BiaoDanID:7, BiaoDanRecordID:'', JieDianID:12"},  // a new flow
      {"7", vb::Variant(), "-1", "BiaoDanID:7, BiaoDanRecordID:'', JieDianID:-1"},
      // A leading zero would make an octal or another number: such keys go as text.
      {"07", "010", "0", "BiaoDanID:'07', BiaoDanRecordID:'010', JieDianID:0"},
      {"7", "-010", "08", "BiaoDanID:7, BiaoDanRecordID:'-010', JieDianID:'08'"},
      {"7 ", "3);alert(1", "x'</script>",
       "BiaoDanID:'7 ', BiaoDanRecordID:'3);alert(1', "
       "JieDianID:'x\\'\\x3C/script>'"},
  };
  for (const Case& c : cases) {
    response_->take_body();
    p.BiaoDanID = c.BiaoDanID;
    p.BiaoDanRecordID = c.BiaoDanRecordID;
    p.JieDianID = c.JieDianID;
    page::write_print_and_end(p);
    EXPECT_THAT(response_->body(),
                HasSubstr("$.post(\"do.asp\", { op:\"chexiaogoutong\", " + c.keys + " }"));
    test_support::expect_javascript_parses(response_->body());
  }
}

// The JavaScript functions run in Node.js against a small DOM (tests/js), on the scripts as
// they are written for a new flow.
TEST_F(ClosingScriptsTest, RunInADocument) {
  p.BiaoDanRecordID = "";
  const TempFile html(".html", closing());
  const TempFile expected(".json",
                          R"({"keys": {"BiaoDanID": 7, "BiaoDanRecordID": "", "JieDianID": 2}})");
  const std::string command = std::string("node ") + FLOWFORM_JS_TESTS_DIR +
                              "/closing_scripts.test.js " + html.path() + " " + expected.path() +
                              " 2>&1";
  const DomRun run = run_command(command);
  EXPECT_TRUE(run.ok) << run.output;
  EXPECT_THAT(run.output, HasSubstr(" client cases passed"));
}

}  // namespace
}  // namespace page_test
