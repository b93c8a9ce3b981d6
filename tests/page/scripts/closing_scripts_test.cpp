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
using ::testing::Not;

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

TEST_F(ClosingScriptsTest, BlocksFollowInThePagesOrderToItsLastLine) {
  const std::string& page = closing();
  expect_in_order(
      page,
      {
          "<script language=vbscript>\r\nDim nowIsContinue\r\nFunction SetEmpty(Parm)\r\n",
          "Function openWinF(url)",
          "Function openWinC(url)",
          "Function openWinZ(url)",
          "Function openWinG(url)",
          "Function saveToDB(isContinue,source)\r\n",
          "Function thistosubmit()\r\n",
          "'新增附件\r\n",
          "Function AddAttach()",
          "Function DelID(id)",
          "Function delmain_wer(obj)",
          "</script>\r\n<script language=javascript>\r\nfunction topreCheck(){\r\n",
          "function formToStrings(){",
          "</script>\r\n<form id=\"FormZiDian\" name=\"FormZiDian\" method=\"POST\" action=\"\" "
          "style=\"display:none\">\r\n<select name='CYYJZiDian'",
          "</select></FORM>\r\n<SCript language=vbscript>\r\nFunction HasThisElement(ID)",
          "</script>\r\n<script language=javascript>\r\nfunction myChaXun(FID,isHTML){",
          "function DownLoadFile(URL){",
          "function ChangeDis(KEID){",
          "</script>\r\n<script id=clientEventHandlersJS language=javascript>\r\n<!--\r\n",
          "//-->\r\n</script>\r\n<script language=javascript>\r\n",
          "function DaYinWord(){",
          "function javaHasElement(ID){",
          "if (javaHasElement(\"myFlowTable\")) TianChongSpace(\"myFlowTable\");\r\n</script>\r\n"
          "<script language=vbscript>\r\nFunction mySlectUser(ele)",
          "Function DisplayText(strParm)",
          "</script>\r\n<script language=javascript>\r\nfunction CheXiaoGouTong(){",
          "function checkRadio(){",
          "function getRadioBoxValue(radioName){",
      });
  EXPECT_THAT(page, ::testing::EndsWith(
                        "</script>\r\n<form action=\"biaodanword.asp\" method=\"post\" "
                        "name=\"bdprint\" style=\"display:none\">\r\n<textarea rows=2 cols=20 "
                        "id=printhtml name=printhtml></textarea>\r\n</form>\r\n"));
  EXPECT_EQ(log_->entries(), std::vector<std::string>{});
  test_support::expect_javascript_parses(page);
}

TEST_F(ClosingScriptsTest, TheSaveBlockHoldsItsFunctionsInOrderAndNoOther) {
  const std::string& page = closing();
  const auto from = page.find("<script language=vbscript>\r\nDim nowIsContinue");
  ASSERT_NE(from, std::string::npos);
  const std::string block = page.substr(from, page.find("</script>", from) - from);
  std::vector<std::string> names;
  for (std::size_t at = block.find("\nFunction "); at != std::string::npos;
       at = block.find("\nFunction ", at + 1)) {
    const std::size_t name = at + std::string("\nFunction ").size();
    names.push_back(block.substr(name, block.find('(', name) - name));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"SetEmpty", "openWinF", "openWinC", "openWinZ",
                                             "openWinG", "saveToDB", "thistosubmit", "AddAttach",
                                             "DelID", "delmain_wer"}));
  EXPECT_THAT(block, Not(HasSubstr("Sub ")));
}

TEST_F(ClosingScriptsTest, SaveToDBRunsTheNodesScriptBeforeItsChecks) {
  const std::string before =
      "\t\t\toEl.value = Replace(oEl.value, \",\", \"，\")\r\n\t\tEnd If\r\n\tNext\r\n";
  const std::string after = "\tIf isContinue = \"1\" And HasThisElement(\"BanLiJieGuo\") Then\r\n";
  page::write_save_check(p);
  EXPECT_THAT(response_->body(), HasSubstr(before + "\t\r\n" + after));

  response_->take_body();
  p.RemarkVB =
      "If document.all(\"zd20\").value = \"\" Then\r\n  MsgBox \"请填写金额\"\r\n"
      "  Exit Function\r\nEnd If";
  page::write_save_check(p);
  EXPECT_THAT(response_->body(), HasSubstr(before + "\t" + vb::CStr(p.RemarkVB) + "\r\n" + after));

  // A script of 100 KB goes in whole.
  response_->take_body();
  p.RemarkVB = std::string(100 * 1024 - 2, '\'') + "\r\n";
  page::write_save_check(p);
  EXPECT_THAT(response_->body(), HasSubstr(before + "\t" + vb::CStr(p.RemarkVB) + "\r\n" + after));
}

TEST_F(ClosingScriptsTest, SaveToDBChecksTheChoiceFieldsAndFilesWithTheirMessages) {
  page::write_save_check(p);
  const std::string& text = response_->body();
  for (const char* message :
       {"您确定要结束当前流程吗？", "对不起，请选择驳回节点！", "对不起，请选择转办人员！",
        "对不起，请选择沟通人员！", "对不起，请选择流程流向！", "对不起,“编号”不能为空！",
        "对不起,“标题”不能为空！", "”必须是数值类型！", "”不能为空！", "”有效长度是",
        "请选择附件！"}) {
    EXPECT_THAT(text, HasSubstr(message));
  }
  EXPECT_THAT(text, HasSubstr("\tdocument.webform.isContinue.value = isContinue\r\n"
                              "\tnowIsContinue = isContinue\r\n\ttopreCheck\r\nEnd Function\r\n"));
  EXPECT_THAT(text, HasSubstr("\t\tdocument.webform.FenFaBuMenDis.value = Replace(arrPicked(1), "
                              "\";\", \",\")\r\n"));
  EXPECT_THAT(text, HasSubstr("\t\tdocument.webform.GouTongUser.value = \";\" & arrPicked(0) & "
                              "\";\"\r\n\t\tdocument.webform.GouTongUserDis.value = arrPicked(1)"));
}

TEST_F(ClosingScriptsTest, ThistosubmitByDocumentKindAndHandlingKind) {
  const std::string notice =
      "Function thistosubmit()\r\n\tIf nowIsContinue = \"0\" Then\r\n\t\tTd_ColumnSet1.innerHTML "
      "= \"<nobr><font color=red>正在提交...</font></nobr>\"\r\n\tElse\r\n\t\tTd_ColumnSet2."
      "innerHTML = \"<nobr><font color=red>正在提交...</font></nobr>\"\r\n\tEnd If\r\n";
  const std::string document_save =
      "\tToNext = nowIsContinue\r\n\tIf ToNext = \"1\" Then\r\n\t\tSaveDocumentDB()\r\n\tElse\r\n"
      "\t\tSaveDocumentZanCun()\r\n\tEnd If\r\n";
  const std::string editor_copy =
      "\tdocument.webform.ContentHTML.value=document.frames.editor.editGetHtmlRel()\r\n";
  const std::string submit = "\twebform.submit\r\n";
  struct Case {
    const char* ZhengWenType;
    vb::Variant BanLiType;
    std::string body;
  };
  const Case cases[] = {
      {"1", "1", document_save}, {"1", "2", document_save},    {"2", "1", editor_copy + submit},
      {"2", "2", submit},        {"2", vb::Variant(), submit}, {"3", "1", submit},
      {"", "1", submit},
  };
  for (const Case& c : cases) {
    response_->take_body();
    p.ZhengWenType = c.ZhengWenType;
    p.BanLiType = c.BanLiType;
    page::write_submit_scripts(p);
    EXPECT_EQ(between(response_->body(), "Function thistosubmit()", "End Function"),
              notice + c.body + "End Function\r\n")
        << c.ZhengWenType << "/" << vb::CStr(c.BanLiType);
  }
}

TEST_F(ClosingScriptsTest, TopreCheckPostsTheNodesMembersInFrontOfFujian) {
  const std::string head = "function topreCheck(){\r\n\tvar ssss = formToStrings();\r\n";
  const std::string tail =
      " }, function(data){\r\n\t\tif (data != \"\") {\r\n\t\t\tvar refusal = data;\r\n"
      "\t\t\ttry { refusal = decodeURI(data); } catch (e) {}\r\n\t\t\talert(refusal);\r\n"
      "\t\t} else {\r\n\t\t\tthistosubmit();\r\n\t\t}\r\n\t});\r\n}\r\n";
  struct Case {
    vb::Variant RemarkPRE;
    std::string members;
  };
  const Case cases[] = {
      {vb::Variant(), "fujian:ssss"},
      {"", "fujian:ssss"},
      {"JinE:'5000'", "JinE:'5000',fujian:ssss"},
      {"note:\"it's\",\r\nop:'a\"b'", "note:\"it's\",\r\nop:'a\"b',fujian:ssss"},
  };
  for (const Case& c : cases) {
    response_->take_body();
    p.RemarkPRE = c.RemarkPRE;
    page::write_submit_scripts(p);
    EXPECT_THAT(response_->body(),
                HasSubstr(head + "\t$.post(\"flowdo.asp\", { " + c.members + tail));
    test_support::expect_javascript_parses(response_->body());
  }
}

TEST_F(ClosingScriptsTest, TheCommonOpinionsCopyOnlyWhereBothListsExist) {
  page::write_opinion_list(p);
  EXPECT_THAT(response_->body(),
              HasSubstr("<select name='CYYJZiDian'  id='CYYJZiDian'  FieldType='下拉列表型'   "
                        "class=select -1 > \r\n<option value='0'></option> \r\n<option>同意"
                        "</option>\r\n<option>已阅</option>\r\n</select></FORM>\r\n"));
  EXPECT_THAT(response_->body(),
              HasSubstr("If HasThisElement(\"yiJian\") And document.FormZiDian.elements.length > "
                        "0 Then\r\n"));

  // Without the category the form holds the message and no list, and the page goes on.
  response_->take_body();
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
      {"7", "3", "2", "BiaoDanID:7, BiaoDanRecordID:3, JieDianID:2"},
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
    EXPECT_THAT(response_->body(),
                HasSubstr("$.post(\"do.asp\", { op:\"bohui\", " + c.keys + " }"));
    test_support::expect_javascript_parses(response_->body());
  }
}

TEST_F(ClosingScriptsTest, DisplayTextReplacesInTheServersOrder) {
  page::write_print_and_end(p);
  EXPECT_THAT(response_->body(),
              HasSubstr("\tstrParm = Replace(strParm, Chr(13), \"<br>\")\r\n"
                        "\tstrParm = Replace(strParm, \" \", \"&nbsp;\")\r\n"
                        "\tstrParm = Replace(strParm, \"&lt;%\", \"<SPAN>&lt;%</SPAN><FONT "
                        "COLOR=\"\"#000000\"\">\")\r\n"
                        "\tstrParm = Replace(strParm, \"%&gt;\", \"<SPAN>%</FONT>&gt;</SPAN>\")\r\n"
                        "\tstrParm = Replace(strParm, \"&lt;!--\", \"<I><FONT "
                        "COLOR=\"\"#CC0033\"\">&lt;!--\")\r\n"
                        "\tstrParm = Replace(strParm, \"--&gt;\", \"--&gt;</I></FONT>\")\r\n"));
  EXPECT_THAT(response_->body(), Not(HasSubstr("</body>")));
}

// The JavaScript functions run in Node.js against a small DOM (tests/js), on the scripts as a
// node with pre-check members writes them for a new flow.
TEST_F(ClosingScriptsTest, RunInADocument) {
  p.BiaoDanRecordID = "";
  p.RemarkPRE = "op:\"pre\",note:'it\\'s'";
  const TempFile html(".html", closing());
  const TempFile expected(".json",
                          R"({"precheck": {"op": "pre", "note": "it's"},)"
                          R"( "keys": {"BiaoDanID": 7, "BiaoDanRecordID": "", "JieDianID": 2}})");
  const std::string command = std::string("node ") + FLOWFORM_JS_TESTS_DIR +
                              "/closing_scripts.test.js " + html.path() + " " + expected.path() +
                              " 2>&1";
  const DomRun run = run_command(command);
  EXPECT_TRUE(run.ok) << run.output;
  EXPECT_THAT(run.output, HasSubstr(" client cases passed"));
}

}  // namespace
}  // namespace page_test
