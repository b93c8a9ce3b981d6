// The handling panel: its blocks by the form's body kind and the node, the history, the
// attachments of the step, and the values that must stay inside their elements.
#include "handling/showcontent.h"

#include <gtest/gtest.h>

#include <string>

#include "handling/history.h"
#include "handling_fixture.h"
#include "platform/asp/server.h"
#include "vb/builtins.h"
#include "support/client_script.h"

namespace handling_test {
namespace {

bool has(const std::string& page, const std::string& text) {
  return page.find(text) != std::string::npos;
}

TEST_F(HandlingTest, BlocksInOrderWithTheFormUnchanged) {
  add_step_table();
  handling::showcontent(ctx(), view);
  const std::string& out = page();
  size_t next = 0;  // each block after the one before
  for (const char* block :
       {"<tr id=TBInfor name=TBInfor style=\"display:none\">", "<b>请假单</b>", "<div id=DataDIV",
        "<DIV id=JiBenXinXi name=JiBenXinXi><p>表单</p></DIV>\r\n",
        "<textarea id=BanLiYiJian name=BanLiYiJian", "<div id=YiJianLieBiao name=YiJianLieBiao>",
        "<td id=bottomFJ></td>"}) {
    const size_t at = out.find(block);
    ASSERT_TRUE(at != std::string::npos && at >= next) << block << "\n" << out;
    next = at + 1;
  }
  EXPECT_TRUE(has(out, "onclick=\"ChangeDis('1')\"><img id=img1 name=img1 "
                       "src=\"../images/up.gif\""));
  EXPECT_TRUE(has(out, "<tr id=Status3 name=Status3>"));
  EXPECT_TRUE(has(out, "<select id=yiJian name=yiJian onchange=\"return yiJian_onchange()\">"
                       "<option value=\"\">--选择常用意见--</option></select>"));
  EXPECT_TRUE(has(out, "<input type=button id=Addatt name=Addatt value=\"新增附件\" "
                       "onclick=\"vbscript:AddAttach()\">"));
  EXPECT_FALSE(has(out, "ZhengWenXinXi"));  // no body text for kind "3"
  EXPECT_FALSE(has(out, "FenFaUser"));
  EXPECT_TRUE(logged().empty());
}

TEST_F(HandlingTest, DocumentBodyByKind) {
  add_step_table();
  ctx().Request->set_server_variable("REMOTE_ADDR", "10.0.0.9\"</script>");
  view.ZhengWenType = "1";
  handling::showcontent(ctx(), view);
  EXPECT_TRUE(has(page(), "<div id=WebOfficeDiv name=WebOfficeDiv"));
  EXPECT_TRUE(has(page(),
                  "insertKongJian('WebOfficeDiv', 'WebOffice', '100%', '100%',"
                  "\"10.0.0.9\\\"\\x3C/script>\");\r\n"));
  test_support::expect_javascript_parses(page());

  reset();
  view.ZhengWenType = "2";
  view.BiaoDanRecordID = "";
  view.ContentHTML = "<p>正文</textarea><b>x</b></p>";
  handling::showcontent(ctx(), view);
  EXPECT_TRUE(has(page(),
                  "<textarea id=ContentHTML name=ContentHTML style=\"display:none\">"
                  "&lt;p&gt;正文&lt;/textarea&gt;&lt;b&gt;x&lt;/b&gt;&lt;/p&gt;</textarea>"));
  EXPECT_TRUE(has(page(), "<iframe id=editor name=editor src=\"editor/myEditor.asp\""));
  EXPECT_FALSE(has(page(), "WebOfficeDiv"));
}

TEST_F(HandlingTest, DistributionOnlyWhenTheNodeDistributesAndNotForAnAnswer) {
  add_step_table();
  view.isFenFa = "1";
  view.FenFaUser = ";li;\"x;";
  view.FenFaUserDis = "李四</textarea>";
  view.FenFaBuMen = ";3;";
  view.FenFaBuMenDis = "财务部";
  handling::showcontent(ctx(), view);
  EXPECT_TRUE(has(page(), "<input type=hidden id=FenFaUser name=FenFaUser "
                          "value=\";li;&quot;x;\">"));
  EXPECT_TRUE(has(page(), ">李四&lt;/textarea&gt;</textarea>"));
  EXPECT_TRUE(has(page(), "<input type=hidden id=FenFaBuMen name=FenFaBuMen value=\";3;\">"));
  EXPECT_TRUE(has(page(), "onclick=\"vbscript:openWinF '../PowerSelect.asp?FieldValue='& "
                          "replace(document.all('FenFaUser').value,';','-')\""));
  EXPECT_TRUE(has(page(), "onclick=\"vbscript:openWinC('../include/user/MulSeleDepart.asp')\""));
  EXPECT_TRUE(has(page(), "SetEmpty('J')"));
  EXPECT_TRUE(has(page(), "SetEmpty('K')"));

  reset();
  view.DaiBanBanLiType = "1";
  handling::showcontent(ctx(), view);
  EXPECT_FALSE(has(page(), "FenFaUser"));
}

TEST_F(HandlingTest, HistoryOldestFirstWithNamesTimesAndOpinions) {
  view.BiaoDanRecordID = "";
  handling::write_history(ctx(), view);  // a new flow: only the header, no step table needed
  EXPECT_TRUE(has(page(), "<td>办理意见</td></tr>\r\n</table>"));
  EXPECT_TRUE(logged().empty());

  reset();
  view.BiaoDanRecordID = "3";
  add_step_table();
  db_.exec("insert into KE_UserInfor (UserName, TureName) values ('li', '李四'), ('wang', '王五')");
  db_.exec(
      "insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen, BanLiShiJian, "
      "BanLiYiJian) values "
      "('3', 1, 'li', '2011-09-01 08:05:00', '请审核'),"
      "('3', 2, 'wang', '2011-09-02 10:30:59', '同意 <b>'),"
      "('4', 2, 'wang', '2011-09-03 10:30:00', '别的记录')");
  handling::write_history(ctx(), view);
  EXPECT_TRUE(has(page(), "\t<tr><td align=center>1</td><td>填写</td><td>李四</td><td>2011-09-01 "
                          "08:05</td><td>请审核</td></tr>\r\n"
                          "\t<tr><td align=center>2</td><td>审核</td><td>王五</td><td>2011-09-02 "
                          "10:30</td><td>同意&nbsp;&lt;b&gt;</td></tr>\r\n</table>"))
      << page();
  EXPECT_FALSE(has(page(), "别的记录"));
}

// A time that is no date is shown as stored, and encoded like every other cell; so is a node
// name. The panel goes on to the attachments the saving page needs.
TEST_F(HandlingTest, HistoryCellsAreEncodedAndThePanelGoesOn) {
  add_step_table();
  db_.exec("update OA_Flow_Model_JieDian set JieDianName = '<i>审核</i>' where OAID = 2");
  const std::string hostile[] = {"<script>alert(1)</script>", "a & b", "\"'quoted'\"",
                                 "</script><script>", "<!--<script", "line\r\nbreak"};
  for (const std::string& time : hostile) {
    reset();
    db_.exec("delete from OA_FLOW_7_BanLi");
    db_.exec("insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen, BanLiShiJian) "
             "values ('3', 2, 'wang', '" + vb::CStr(vb::Replace(time, "'", "''")) + "')");
    handling::showcontent(ctx(), view);
    const std::string encoded = vb::CStr(platform::asp::Server::HTMLEncode(time));
    EXPECT_TRUE(has(page(), "<td>&lt;i&gt;审核&lt;/i&gt;</td>")) << page();
    EXPECT_TRUE(has(page(), "<td>" + encoded + "</td>")) << page();
    for (const char* element : {"id=Status2", "id=bottomFJ", "id=Addatt"}) {
      EXPECT_TRUE(has(page(), element)) << element;
    }
    EXPECT_TRUE(logged().empty());
  }
}

TEST_F(HandlingTest, AttachmentsOfTheStepOnlyNumberedFromOne) {
  db_.exec(
      "insert into OA_Flow_FuJian (OAID, BiaoDanID, BiaoDanRecordID, BanLiID, FieldID, "
      "FileName, ShuoMing1) values "
      "(11, '7', '3', 5, '', 'a.doc', '说明'), (12, '7', '3', 5, '13', 'field.doc', ''),"
      "(13, '7', '3', 6, '', 'other.doc', ''), (14, '7', '3', 5, NULL, 'b<1>.txt', NULL),"
      "(15, '8', '3', 5, '', 'form8.doc', '')");
  view.BanLiID = "5";
  handling::write_attachments(ctx(), view);
  EXPECT_TRUE(has(page(),
                  "<input type=checkbox id=DelAttach1 name=DelAttach1 value=\"1\">删除&nbsp;"
                  "附件1：<a href='#' oncontextmenu='javascript:return(false);' onclick=\"return "
                  "DownLoadFile('../Public/OA_Download.asp?FieldName=FileName&FileContentField="
                  "FileContent&Table=OA_Flow_FuJian&OAID=OAID&Value=11')\">a.doc</a>（说明）"
                  "<input type=hidden id=AttachOAID1 name=AttachOAID1 value=\"11\">"))
      << page();
  EXPECT_TRUE(has(page(), ">b&lt;1&gt;.txt</a><input type=hidden id=AttachOAID2 "
                          "name=AttachOAID2 value=\"14\">"));
  EXPECT_FALSE(has(page(), "DelAttach3"));
  for (const char* other : {"field.doc", "other.doc", "form8.doc"}) {
    EXPECT_FALSE(has(page(), other)) << other;
  }

  reset();
  view.BanLiID = "";  // a to-do page has no step of its own yet
  handling::write_attachments(ctx(), view);
  EXPECT_FALSE(has(page(), "DelAttach"));
}

TEST_F(HandlingTest, AFailureEndsThePanelButNotThePage) {
  view.BiaoDanID = "7;drop";  // no step table query can be built from it
  handling::showcontent(ctx(), view);
  EXPECT_TRUE(has(page(), "<DIV id=JiBenXinXi"));
  ASSERT_EQ(logged().size(), 1u);
  EXPECT_EQ(logged()[0].rfind("13 Type mismatch LINE #", 0), 0u) << logged()[0];
  const std::string tail = " Routine : qmflobiaodantianx.showcontent";
  EXPECT_EQ(page().substr(page().size() - tail.size()), tail);
  EXPECT_TRUE(has(page(), " Error Type mismatch LINE"));
}

}  // namespace
}  // namespace handling_test
