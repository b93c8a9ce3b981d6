// The file controls beyond the demo pages: the file list, rows added in the browser, and
// the signatures offered to a login name with wildcard characters.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/controls/controls_fixture.h"
#include "page/jsdom_runner.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;

class MultiFileTest : public ControlTest {
 protected:
  // Stored files of field 51 of record 3 (BanLiID 0), and one of a handling step.
  void add_files(int count) {
    for (int i = 1; i <= count; ++i) {
      db_.exec(
          "insert into OA_Flow_FuJian (OAID, BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, "
          "FileName, ShuoMing1, ShuoMing2, ShuoMing3) values (" +
          std::to_string(100 + i) + ", '7', '3', 0, '51', 'f" + std::to_string(i) +
          ".doc', 's1', 's2', 's3')");
    }
    db_.exec(
        "insert into OA_Flow_FuJian (BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, "
        "FileName) values ('7', '3', 4, '51', 'step.doc')");
  }
};

// The stored files are listed with the captions of their notes, and a row added in the browser
// is numbered on from them.
TEST_F(MultiFileTest, AddedRowsAreNumberedOnFromTheStoredFiles) {
  add_field(51, "多附件型", "isFJ1 = '1', isFJ3 = '1', FJ1BiaoTi = '说明', FJ3BiaoTi = '备注'");
  add_files(3);
  p.BiaoDanRecordID = "3";
  const std::string html = control(51, "");
  EXPECT_THAT(html, HasSubstr("id=TRCheck103 name=TRCheck103 >"));
  EXPECT_THAT(html,
              HasSubstr("f3.doc</FONT></A></TD><TD>说明:s1</TD><TD>备注:s3</TD></tr></TABLE>"));
  const DomRun run = run_in_dom(
      "<html><head><script>function ReplaceAll(s, a, b) { return s.split(a).join(b); }"
      "</script></head><body>" +
          html + "</body></html>",
      R"(
window.AddRow51();
const list = document.getElementById('TBItem51');
const row = list.rows[list.rows.length - 1];
print(list.rows.length, row.id, Array.from(row.querySelectorAll('input')).map(i => i.name).join(' '));
)");
  ASSERT_TRUE(run.ok) << run.output;
  EXPECT_EQ(run.output, "4 TR4 DuoFJ51A4 DuoShuo151A4 DuoShuo351A4\n");
}

TEST_F(ControlTest, AFileFieldShowsItsDefaultAsTextAndItsStoredFileAsBuilt) {
  for (const char* type : {"附件型", "图片型", "签名文件型"}) {
    add_field(50, type);
    p.value_is_markup = false;
    EXPECT_THAT(control(50, "<b>&'</script>"), HasSubstr("&lt;b&gt;&amp;&#39;&lt;/script&gt;"))
        << type;
    p.value_is_markup = true;
    EXPECT_THAT(control(50, "<img src='x'>"), HasSubstr("<img src='x'>")) << type;
    db_.exec("delete from OA_Flow_BiaoDan_Fields");
  }
}

TEST_F(ControlTest, TheSignatureListMatchesTheLoginNameLiterally) {
  add_field(52, "签名文件型");
  db_.exec(
      "insert into OA_Flow_QianMing (OAID, usernames, FileName) values "
      "(1, ';zhangsan;', 'a'), (2, ';li;zhang_an;', 'b'), (3, ';ZHANG_AN;', 'c'), "
      "(4, ';zh%;', 'd'), (5, ';a[b;', 'e'), (6, ';a_b;', 'f'), (7, NULL, 'g')");
  struct Case {
    const char* user;
    const char* offered;
  } cases[] = {
      {"zhang_an", "<OPTION value='2' >b</OPTION><OPTION value='3' >c</OPTION>"},
      {"zh%", "<OPTION value='4' >d</OPTION>"},
      {"a[b", "<OPTION value='5' >e</OPTION>"},
      {"a_b", "<OPTION value='6' >f</OPTION>"},
      {"%", ""},
  };
  for (const Case& c : cases) {
    (*session_)["UserName"] = c.user;
    const std::string html = control(52, vb::Null);
    const auto from = html.find("取消签名</OPTION>") + std::string("取消签名</OPTION>").size();
    EXPECT_EQ(html.substr(from, html.find("</select>") - from), c.offered) << c.user;
  }
}

}  // namespace
}  // namespace page_test
