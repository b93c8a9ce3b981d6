// The file controls: one file or picture, several files, and the stored signatures.
#include <gtest/gtest.h>

#include <string>

#include "page/controls/controls_fixture.h"
#include "page/jsdom_runner.h"

namespace page_test {
namespace {

TEST_F(ControlTest, AFileOrPictureOffersToDeleteTheStoredOne) {
  for (const char* type : {"附件型", "图片型"}) {
    add_field(50, type);
    const std::string input =
        "<input id=zd50 name=zd50 type='file' style='width:99%'></TD></TR></TABLE>";
    const std::string opening =
        "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP>";
    EXPECT_EQ(control(50, vb::Null), opening + input) << type;
    EXPECT_EQ(control(50, ""), opening + input) << type;
    EXPECT_EQ(control(50, "<img src='x'>"),
              opening +
                  "<INPUT type='checkbox' id=DELetezd50 name=DELetezd50 >删除&nbsp;&nbsp;"
                  "<img src='x'><br>" +
                  input)
        << type;
    db_.exec("delete from OA_Flow_BiaoDan_Fields");
  }
}

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
  static std::string script(int count) {
    return "<script language=javascript>\r\n"
           "var idCount51=" +
           std::to_string(count) +
           ";\r\n"
           "function AddRow51(){\r\n"
           "\tidCount51 = idCount51 + 1;\r\n"
           "\tvar oTemplate = document.getElementById(\"myFormTable51\");\r\n"
           "\tvar oTemplateRow = oTemplate.rows[oTemplate.rows.length - 1];\r\n"
           "\tvar nCells = oTemplateRow.cells.length;\r\n"
           "\tvar oRow = document.getElementById(\"TBItem51\").insertRow();\r\n"
           "\toRow.style.height = '25';\r\n"
           "\toRow.id = 'TR' + idCount51;\r\n"
           "\tfor (var i = 0; i < nCells; i++) {\r\n"
           "\t\tvar oCell = oRow.insertCell(i);\r\n"
           "\t\toCell.innerHTML = ReplaceAll(oTemplateRow.cells[i].innerHTML, 'KKKKKK', "
           "idCount51);\r\n"
           "\t}\r\n"
           "}\r\n"
           "</SCRIPT>";
  }
  static constexpr char kTemplateStart[] =
      "<table ID=myFormTable51 style='display:none'><TR><td   width=20 align=center><center><a "
      "href='javascript:void(0)' onclick='javascript:del(this)'>删</a></td><td>附件：<INPUT "
      "type='file' id=DuoFJ51AKKKKKK name=DuoFJ51AKKKKKK></td>";
  static constexpr char kButtonAndList[] =
      "</TR></table><INPUT type='button' value='添加附件' id=btnFuJian51 name=btnFuJian51 "
      "onclick=AddRow51()><TABLE id=TBItem51  bgColor=#ffffff border=1 borderColorDark=#ffffff  "
      "width=100% borderColorLight=#C0C0C0 cellSpacing=0 cellpadding=5>";
  static std::string stored_row(int file, const std::string& captions) {
    const std::string n = std::to_string(file);
    return "<tr height=23 bgcolor='#F3F3F3'  style='cursor:hand;'><TD colspan=2><INPUT  "
           "value='1' type='checkbox' id=TRCheck" +
           n + " name=TRCheck" + n + " >删除该附件&nbsp;<INPUT  value=" + n +
           " type='hidden' id=DuoTR" + n + " name=DuoTR" + n +
           " >附件：<A  href='#'     onclick=DownLoadFile('../Public/OA_Download.asp?FieldName="
           "FileName&FileContentField=FileContent&Table=OA_Flow_FuJian&OAID=OAID&Value=" +
           n + "')><FONT color=#425d8c>f" + std::to_string(file - 100) + ".doc</FONT></A></TD>" +
           captions + "</tr>";
  }
};

TEST_F(MultiFileTest, ANewRecordHasAnEmptyListAndCountsFromZero) {
  add_field(51, "多附件型");
  add_files(2);  // of record 3, which a new record does not show
  EXPECT_EQ(control(51, "ignored"),
            kTemplateStart + std::string(kButtonAndList) + "</TABLE>" + script(0));
}

TEST_F(MultiFileTest, StoredFilesAreListedWithTheCaptionsThatAreOn) {
  add_field(51, "多附件型", "isFJ1 = '0', isFJ2 = '1', isFJ3 = NULL, FJ2BiaoTi = '页数'");
  add_files(3);
  p.BiaoDanRecordID = "3";
  EXPECT_EQ(control(51, ""), kTemplateStart +
                                 std::string("<TD>页数:<INPUT type='text' id=DuoShuo251AKKKKKK "
                                             "name=DuoShuo251AKKKKKK  value=''></TD>") +
                                 kButtonAndList + stored_row(101, "<TD>页数:s2</TD>") +
                                 stored_row(102, "<TD>页数:s2</TD>") +
                                 stored_row(103, "<TD>页数:s2</TD>") + "</TABLE>" + script(3));
  EXPECT_EQ(typed(p.FuJianCount), "Long:3");
  EXPECT_TRUE(vb::IsEmpty(p.rsFuJian));
}

TEST_F(MultiFileTest, TwoHundredStoredFilesAreAllListed) {
  add_field(51, "多附件型", "isFJ1 = '1', isFJ3 = '1', FJ1BiaoTi = '说明', FJ3BiaoTi = '备注'");
  add_files(200);
  p.BiaoDanRecordID = "3";
  const std::string html = control(51, "");
  EXPECT_NE(html.find(stored_row(300, "<TD>说明:s1</TD><TD>备注:s3</TD>") + "</TABLE>"),
            std::string::npos);
  EXPECT_NE(html.find("var idCount51=200;"), std::string::npos);
}

TEST_F(MultiFileTest, AddedRowsAreNumberedOnFromTheStoredFiles) {
  add_field(51, "多附件型", "isFJ1 = '1', FJ1BiaoTi = '说明'");
  add_files(3);
  p.BiaoDanRecordID = "3";
  const std::string html =
      "<html><head><script>function ReplaceAll(s, a, b) { return s.split(a).join(b); }"
      "</script></head><body>" +
      control(51, "") + "</body></html>";
  const DomRun run = run_in_dom(html, R"(
window.AddRow51();
const list = document.getElementById('TBItem51');
const row = list.rows[list.rows.length - 1];
print(list.rows.length, row.id, Array.from(row.querySelectorAll('input')).map(i => i.name).join(' '));
)");
  ASSERT_TRUE(run.ok) << run.output;
  EXPECT_EQ(run.output, "4 TR4 DuoFJ51A4 DuoShuo151A4\n");
}

// Stored file names and captions, and a signature's file name, are text in the markup.
TEST_F(MultiFileTest, StoredNamesAndCaptionsAreText) {
  add_field(51, "多附件型", "isFJ1 = '1', FJ1BiaoTi = '说明'");
  add_field(52, "签名文件型");
  db_.exec(
      "insert into OA_Flow_FuJian (OAID, BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, FileName, "
      "ShuoMing1) values (101, '7', '3', 0, '51', '<img src=y onerror=alert(1)>.doc', "
      "'a&b\"</script>')");
  db_.exec(
      "insert into OA_Flow_QianMing (OAID, usernames, FileName) values (1, ';zhang;', "
      "'<b>''.gif')");
  p.BiaoDanRecordID = "3";
  EXPECT_NE(control(51, "").find("<FONT color=#425d8c>&lt;img src=y onerror=alert(1)&gt;.doc"
                                 "</FONT></A></TD><TD>说明:a&amp;b&quot;&lt;/script&gt;</TD>"),
            std::string::npos);
  EXPECT_NE(control(52, "").find("<OPTION value='1' >&lt;b&gt;&#39;.gif</OPTION>"),
            std::string::npos);
}

TEST_F(ControlTest, TheSignatureListOffersTheUsersOwnSignatures) {
  add_field(52, "签名文件型");
  const std::string start =
      "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD><select style='width:99%' "
      "id=zd52 name=zd52 onchange='toLoadImage(52)'><OPTION value='' selected></OPTION><OPTION "
      "value='0'>取消签名</OPTION>";
  const std::string end = "</select></TD></TR><TR><TD width=100% NOWRAP id='TD52' name='TD52'>";
  EXPECT_EQ(control(52, vb::Null), start + end + "</TD></TR></TABLE>");
  db_.exec(
      "insert into OA_Flow_QianMing (OAID, usernames, FileName) values "
      "(1, ';zhang;li;', '张签名.gif'), (2, ';li;', '李.gif'), (3, ';zhangsan;', 'x.gif'), "
      "(4, ';wang;zhang;', '章.gif')");
  EXPECT_EQ(control(52, "<img src='s'>"),
            start + "<OPTION value='1' >张签名.gif</OPTION><OPTION value='4' >章.gif</OPTION>" +
                end + "<img src='s'></TD></TR></TABLE>");
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
