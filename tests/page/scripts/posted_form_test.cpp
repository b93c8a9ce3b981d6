// The visible page around the frame: body tag, full-screen parameters, loading notice, the
// form webform with its hidden fields, and what follows the frame; and the value references
// of the filled form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/fields/field_fixture.h"
#include "support/client_script.h"

namespace page_test {
namespace {

using ::testing::HasSubstr;

class PostedFormTest : public FieldTest {
 protected:
  // The page from its body tag up to the frame's own body tag.
  static std::string before_frame(const std::string& body) {
    const auto from = body.find("<body leftmargin");
    return body.substr(from, body.find(" <body scroll=no") - from);
  }
};

constexpr char kNotice[] =
    "<DIV id=waitWindow \r\n"
    "style=\"BORDER-RIGHT: #333333 1px solid; BORDER-TOP: #333333 1px solid; Z-INDEX: 1; "
    "BACKGROUND: #f2f8ff; FILTER: progid:DXImageTransform.Microsoft.dropShadow( Color=#b4b4b4, "
    "offX=2,offY=2,); LEFT: 350px; OVERFLOW: auto; BORDER-LEFT: #333333 1px solid; WIDTH: 180px; "
    "BORDER-BOTTOM: #333333 1px solid; POSITION: absolute; TOP: 200px; HEIGHT: 35px; TEXT-ALIGN: "
    "center\">\r\n"
    "<P style=\"MARGIN-TOP: 6px\"><font size=2>正在加载数据,请稍等......</font></p></DIV>\r\n"
    "<form action=\"BiaoDanTianXieDo.asp\" method=\"post\" name=\"webform\" "
    "enctype=\"multipart/form-data\" >\r\n"
    "\t<INPUT type=\"hidden\" id=isContinue name=isContinue value=\"\">\r\n"
    "\t<INPUT type=\"hidden\" id=OP name=OP value=\"\">\r\n";

std::string body_tag(const std::string& load) {
  return "<body leftmargin=0 topmargin=0 rightmargin=0 bottommargin=0 onload='javascript:" + load +
         "window.moveTo(0,0);&#13;window.resizeTo(screen.availWidth,screen.availHeight);&#13; ' "
         "onbeforeunload=isWindowClose(); bgcolor=#c0c0c0 onbeforeprint=\"return "
         "window_onbeforeprint()\" onafterprint=\"return window_onafterprint()\" >\r\n";
}

TEST_F(PostedFormTest, AFormWithoutOfficeDocumentHasNoFullScreenParameters) {
  form("<p>x</p>", {}, "-2,", "-2,1,", "3");
  record();
  EXPECT_EQ(
      before_frame(render_todo().body),
      body_tag("") + kNotice +
          "\t<INPUT type=\"hidden\" id=EditFiledsList name=EditFiledsList value=\"-2,1,\">\r\n"
          "\t<INPUT type=\"hidden\" id=JieDianID name=JieDianID value=\"2\">\r\n"
          "\t<INPUT type=\"hidden\" id=LiuChengID name=LiuChengID value=\"5\">\r\n"
          "\t<INPUT type=\"hidden\" id=BiaoDanRecordID name=BiaoDanRecordID value=\"3\">\r\n"
          "\t<INPUT type=\"hidden\" id=BiaoDanID name=BiaoDanID value=\"7\">\r\n"
          "\t<INPUT type=\"hidden\" id=BanLiID name=BanLiID value=\"\">\r\n"
          "\t<INPUT type=\"hidden\" id=CurrentOperate name=CurrentOperate value=\"待办流程\">\r\n"
          "\t<INPUT type=\"hidden\" id=ZhengWenType name=ZhengWenType value=\"3\">\r\n"
          "\t<INPUT type=\"hidden\" id=BanLiType name=BanLiType value=\"2\">\r\n"
          "\t<input type=hidden name=RecordID value=\"R-1\">\r\n"
          "\t<input type=hidden name=FileID value=\"\">\r\n"
          "\t");
}

TEST_F(PostedFormTest, AnOfficeDocumentCarriesTheNodeOptionsInFullScreenParm) {
  form("<p>x</p>", {}, "-2,", "-2,1,", "1");
  const std::string page = render_new_flow().body;
  std::string parameters =
      body_tag("Load();") + "\t<Form name=\"FullScreenParm\" method=\"post\">\r\n";
  // The start node's document switches are all null: "false", but for the two an unprotected
  // node turns on.
  for (const auto& [name, value] : {std::pair{"isLocalSave", "false"},
                                    {"isTaoHong", "false"},
                                    {"isImportWord", "false"},
                                    {"isQianMing", "false"},
                                    {"isYinZhang", "false"},
                                    {"isYanZhengQianMing", "false"},
                                    {"isZuiZhongWenDang", "true"},
                                    {"isChaKanHenJi", "false"},
                                    {"isChaKanYuanWenDang", "true"},
                                    {"isXiuDingJiLu", "false"},
                                    {"IsPrint", "false"},
                                    {"IsRecMark", "false"},
                                    {"isNewFile", "TRUE"},
                                    {"isWordProtect", "false"},
                                    {"isFullScreen", "false"}}) {
    parameters += std::string("\t\t<input type=hidden name=") + name + " value=\"";
    parameters += std::string(value) + "\">\r\n";
  }
  parameters +=
      "\t\t<input type=hidden name=UserName value=\"张三\">\r\n"
      "\t\t<input type=hidden name=UserID value=\"zhang\">\r\n"
      "\t\t<input type=hidden name=RecordID value=\"zhang201109020700\">\r\n"
      "\t\t<input type=hidden name=isHistory value=\"true\">\r\n"
      "\t\t<input type=hidden name=tempFullScreenFile value=\"zhang20110902140700.doc\">\r\n"
      "\t</Form>\r\n\t";
  EXPECT_EQ(before_frame(page).substr(0, parameters.size() + 16),
            parameters + std::string(kNotice).substr(0, 16));
}

TEST_F(PostedFormTest, TheFormClosesAfterTheFrameAndTheDictionaryPickerFollows) {
  form("<p>x</p>");
  const std::string page = render_new_flow().body;
  EXPECT_THAT(page,
              HasSubstr("</table>\r\n</form>\r\n <script language=vbscript>\r\n"
                        "\twaitWindow.style.display =\"none\"\r\n</script>\r\n"
                        "<script language=javascript>\r\n"
                        "function openZiDian(elementid,FieldNameDis,canedit,FieldIsDuoXuan){\r\n"));
  EXPECT_THAT(page, HasSubstr("\"../include/zidian/selectZiDian.asp?ZiDian=\"+FieldNameDis+"
                              "\"&canedit=\"+canedit+\"&isMul=\"+FieldIsDuoXuan"));
  EXPECT_THAT(page, HasSubstr("dialogWidth:350px;status:no;status:no;dialogHeight:400px"));
  test_support::expect_javascript_parses(page.substr(page.find("</form>")));
}

TEST_F(PostedFormTest, ValueReferencesTakeTheRawStoredValue) {
  form("{1:a}|{%1%}|{%2%}{%2%}|{%x%}|{% 1%}|{%9%}|{%3%}", {"A", "B", "C"}, "-2,", "-2,");
  field(1, "A", "'单行文本型'");
  field(2, "B", "'复选框'");
  field(3, "C", "'单行文本型'", ", isyincang, UserNames", ", '1', ';wang;'");
  record(", A, B, C", ", 'in{%2%}side', '1', 'secret'");
  handled_at(1);
  db_.exec("update OA_Flow_Model_JieDian set EditFields='-2,1,2,3,' where OAID=1");
  // The stored value of 1 holds a reference, which the pass over the filled form fills too,
  // as it does in the raw value that {%1%} brings, since {%2%} comes again after it; the
  // hidden field 3 gives nothing; " 1" is a number and names field 1, whose value comes after
  // the last {%2%} and keeps it.
  EXPECT_EQ(filled(render_todo().body), "in1side|in1side|11||in{%2%}side||");
  EXPECT_THAT(filled(render_new_flow().body), ::testing::EndsWith("value=''>||||||"));
}

}  // namespace
}  // namespace page_test
