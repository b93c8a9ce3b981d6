// The handling panel: its blocks by the form's body kind and the node, the history, the
// attachments of the step, and the values that must stay inside their elements.
#include "handling/showcontent.h"

#include <gtest/gtest.h>

#include <string>

#include "handling/history.h"
#include "handling_fixture.h"
#include "platform/asp/server.h"
#include "support/client_script.h"
#include "vb/builtins.h"

namespace handling_test {
namespace {

bool has(const std::string& page, const std::string& text) {
  return page.find(text) != std::string::npos;
}

// The client address goes into the document control as a script string whose text the control's
// script puts into an attribute.
TEST_F(HandlingTest, TheOfficeDocumentGetsTheClientAddressAsAScriptString) {
  add_step_table();
  ctx().Request->set_server_variable("REMOTE_ADDR", "10.0.0.9\"</script>");
  view.ZhengWenType = "1";
  handling::showcontent(ctx(), view);
  EXPECT_TRUE(has(page(), "<div id=WebOfficeDiv name=WebOfficeDiv"));
  EXPECT_TRUE(has(page(),
                  "insertKongJian('WebOfficeDiv', 'WebOffice', '100%', '100%',"
                  "\"10.0.0.9&quot;&lt;/script&gt;\");\r\n"));
  test_support::expect_javascript_parses(page());
}

TEST_F(HandlingTest, DistributionKeepsItsValuesInsideTheirElements) {
  add_step_table();
  view.isFenFa = "1";
  view.FenFaUser = ";li;\"x;";
  view.FenFaUserDis = "李四</textarea>";
  view.FenFaBuMen = ";3;";
  view.FenFaBuMenDis = "财务部";
  handling::showcontent(ctx(), view);
  EXPECT_TRUE(has(page(),
                  "<input type=hidden id=FenFaUser name=FenFaUser "
                  "value=\";li;&quot;x;\">"));
  EXPECT_TRUE(has(page(), ">李四&lt;/textarea&gt;</textarea>"));
  EXPECT_TRUE(has(page(), "<input type=hidden id=FenFaBuMen name=FenFaBuMen value=\";3;\">"));
}

// A time that is no date is shown as stored, and encoded like every other cell; so is a node
// name. The panel goes on to the attachments the saving page needs.
TEST_F(HandlingTest, HistoryCellsAreEncodedAndThePanelGoesOn) {
  add_step_table();
  db_.exec("update OA_Flow_Model_JieDian set JieDianName = '<i>审核</i>' where OAID = 2");
  const std::string hostile[] = {"<script>a & b \"'q'\"</script><!--<script", "line\r\nbreak"};
  for (const std::string& time : hostile) {
    reset();
    db_.exec("delete from OA_FLOW_7_BanLi");
    db_.exec(
        "insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen, BanLiShiJian) "
        "values ('3', 2, 'wang', '" +
        vb::CStr(vb::Replace(time, "'", "''")) + "')");
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
  EXPECT_TRUE(has(page(), "id=DelAttach1 name=DelAttach1 value=\"1\">")) << page();
  EXPECT_TRUE(has(page(), "Value=11')\">a.doc</a>（说明）<input type=hidden id=AttachOAID1"));
  EXPECT_TRUE(has(page(),
                  ">b&lt;1&gt;.txt</a><input type=hidden id=AttachOAID2 "
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
  expect_logged_once("13 Type mismatch LINE #");
  expect_in_order({"<DIV id=JiBenXinXi", " Error Type mismatch LINE"});
  EXPECT_TRUE(page().ends_with(" Routine : qmflobiaodantianx.showcontent")) << page();
}

}  // namespace
}  // namespace handling_test
