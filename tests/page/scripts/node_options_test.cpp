// The steps after the field loop that read the node's document switches and remark, refresh
// the model, build the document addresses and the display names of the distribution lists.
#include "page/scripts/node_options.h"

#include <gtest/gtest.h>

#include <string>

#include "page/entry/phase_fixture.h"
#include "page/work_recordset.h"

namespace page_test {
namespace {

class NodeOptionsTest : public PhaseTest {
 protected:
  NodeOptionsTest() {
    s.ctx.Request = request_;
    s.ctx.Session = session_;
    s.ctx.Response = response_;
    s.ctx.conn = p.ctx.conn;
    s.rs = page::new_recordset();
    (*session_)["SystemURL"] = "/oa/";
    (*session_)["TureName"] = "张三";
    add_model(5, "1", 7);
    add_node(2, 5, "0");
    s.JieDianID = "2";
  }

  void remark(const std::string& sql_text) {
    db_.exec("update OA_Flow_Model_JieDian set Remark = " + sql_text);
  }
  vb::Variant session(const char* key) { return session_->get(key); }

  // 2 September 2011, 08:05:09.
  page::PageState s{log_, vb::CDate(vb::Variant("2011-09-02 08:05:09"))};
};

TEST_F(NodeOptionsTest, CurrentNodesInTheSession) {
  s.CurrentJieDianIDs = "12,15";
  page::set_node_options(s);
  EXPECT_EQ(typed(session("CurrentJieDianID")), "String:*12,15*");
  s.CurrentJieDianIDs = "";
  s.JieDianID = "";
  page::set_node_options(s);
  EXPECT_EQ(typed(session("CurrentJieDianID")), "String:**");
  s.JieDianID = "7";
  db_.exec("update OA_Flow_Model_JieDian set OAID = 7");
  page::set_node_options(s);
  EXPECT_EQ(typed(session("CurrentJieDianID")), "String:*7*");
}

std::string switches(const page::PageState& s) {
  std::string out;
  for (const vb::Variant* v :
       {&s.isImportWord, &s.isTaoHong, &s.isQianMing, &s.isYinZhang, &s.isWordProtect,
        &s.isYanZhengQianMing, &s.isZuiZhongWenDang, &s.isChaKanHenJi, &s.isChaKanYuanWenDang,
        &s.isXiuDingJiLu, &s.IsPrint, &s.isLocalSave, &s.IsRecMark, &s.isHistory}) {
    out += (v->is_empty() ? std::string("-") : vb::CStr(*v)) + " ";
  }
  return out;
}

// The pages show the switches of open nodes; without a node they take their defaults, and a
// protected node leaves the final-version and original-version switches as they were.
TEST_F(NodeOptionsTest, DocumentSwitchesOfNoNodeAndOfAProtectedNode) {
  s.JieDianID = "";
  page::set_node_options(s);
  EXPECT_EQ(switches(s),
            "true false false false false false false false true true true true true true ");

  s.JieDianID = "2";
  s.isZuiZhongWenDang = s.isChaKanYuanWenDang = vb::Variant();
  db_.exec(
      "update OA_Flow_Model_JieDian set isTaoHong='1', isImportWord=NULL, isQianMing='1', "
      "isYinZhang='0', isChaKanHenJi='1', isXiuDingJiLu='1', IsRecMark='1', isWordProtect='1', "
      "isYanZhengQianMing='1', IsPrint='1', isLocalSave='2', isFirst='0'");
  page::set_node_options(s);
  EXPECT_EQ(switches(s), "false true true false true true - true - true true false true true ");
  EXPECT_EQ(typed(s.isFirst), "String:0");
}

// Each block goes to its own value, the VB one with its line ends doubled, the query one on one
// line; the server-script block replaces what an earlier page left in the session.
TEST_F(NodeOptionsTest, TakesTheRemarkBlocks) {
  struct Case {
    const char* remark;  // SQL expression
    const char *vb, *pre, *pasp;
  } cases[] = {
      {"'<VB>' || char(13) || char(10) || 'a=1' || char(13) || '</VB>"
       "<PRE>select 1' || char(13) || char(10) || 'from t' || char(10) || '</PRE>"
       "<PASP>a=1' || char(13) || char(10) || 'b=2</PASP>'",
       "\r\n\na=1\r\n", "select 1from t", "a=1\r\nb=2"},
      {"NULL", "", "", ""},
  };
  for (const Case& c : cases) {
    (*session_)["PREExecuteString"] = "earlier page";
    remark(c.remark);
    page::set_node_options(s);
    EXPECT_EQ(vb::CStr(s.RemarkVB), c.vb) << c.remark;
    EXPECT_EQ(vb::CStr(s.RemarkPRE), c.pre) << c.remark;
    EXPECT_EQ(vb::CStr(s.RemarkPASP), c.pasp) << c.remark;
    EXPECT_EQ(vb::CStr(session("PREExecuteString")), c.pasp) << c.remark;
  }
  EXPECT_EQ(response_->body(), "");
}

TEST_F(NodeOptionsTest, ModelKindNameAndNullFileId) {
  s.LiuChengID = "5";
  s.FileID = vb::NullValue{};
  page::set_node_options(s);
  EXPECT_EQ(typed(s.LiuChengType), "Integer:1");
  EXPECT_EQ(typed(s.LiuChengName), "String:请假流程");
  EXPECT_EQ(typed(session("CurrentLiuchengID")), "String:5");
  EXPECT_EQ(typed(s.FileID), "String:");

  db_.exec("update OA_Flow_Model_Header set isSystem = '9'");
  page::set_node_options(s);
  EXPECT_EQ(typed(s.LiuChengType), "Integer:1");  // another kind leaves it as it was
}

// The pages show the addresses built from the clock; values the record brought are kept, and
// other body kinds leave the document values alone.
TEST_F(NodeOptionsTest, AnOfficeDocumentKeepsTheRecordsDocumentValues) {
  s.ZhengWenType = "1";
  s.RecordID = "R-1";
  s.isNewFile = false;
  page::set_node_options(s);
  EXPECT_EQ(typed(s.RecordID), "String:R-1");
  EXPECT_EQ(typed(s.isNewFile), "Boolean:False");
  EXPECT_EQ(typed(s.ocxDocVersionURL), "String:/oa/word/ocxDocVersion.asp?RecordID=R-1");
  // A stored id is one value of the history address: it adds no parameter.
  s.RecordID = "5&TName=x\"<!--";
  page::set_node_options(s);
  EXPECT_EQ(typed(s.ocxDocVersionURL),
            "String:/oa/word/ocxDocVersion.asp?RecordID=5%26TName%3Dx%22%3C%21--");
  s.ZhengWenType = "2";
  s.RecordID = "";
  s.ocxDocVersionURL = vb::Variant();
  page::set_node_options(s);
  EXPECT_EQ(typed(s.RecordID), "String:");
  EXPECT_EQ(typed(s.ocxDocVersionURL), "Empty:");
}

class DistributionTest : public NodeOptionsTest {
 protected:
  DistributionTest() {
    db_.exec(
        "insert into KE_UserInfor (UserName, TureName, OrderNumber) values "
        "('wang', '王五', 2), ('li', '李四', 1), ('o''neil', '欧尼尔', 3)");
    db_.exec(
        "insert into KE_Department (DepartMentID, DepartName, OrderNumber) values "
        "(3, '财务部', 2), (7, '会计组', 1)");
    s.ctx.sql = "untouched";
  }
};

TEST_F(DistributionTest, UserNamesInDirectoryOrder) {
  struct Case {
    const char* list;
    const char* in_list;
    const char* names;
  } cases[] = {
      {";wang;li;", "'wang','li'", "李四,王五"},
      {"wang;;li", "'wang','li'", "李四,王五"},  // an empty entry is dropped
      {";nobody;li;", "'nobody','li'", "李四"},
      {";o'neil;", "'o''neil'", "欧尼尔"},
  };
  for (const Case& c : cases) {
    s.FenFaUser = c.list;
    page::set_distribution_names(s);
    EXPECT_EQ(typed(s.FenFaUserSQL), std::string("String:") + c.in_list) << c.list;
    EXPECT_EQ(typed(s.FenFaUserDis), std::string("String:") + c.names) << c.list;
  }
  EXPECT_EQ(vb::CStr(s.ctx.sql),
            "select * from ke_userinfor where username in ('o''neil') order by ordernumber");
}

TEST_F(DistributionTest, EmptyListsRunNoQuery) {
  for (const char* list : {";", ";;", ";;;"}) {
    s.FenFaUser = list;
    s.FenFaBuMen = list;
    page::set_distribution_names(s);
    EXPECT_EQ(typed(s.FenFaUserDis), "String:") << list;
    EXPECT_EQ(typed(s.FenFaBuMenDis), "String:") << list;
    EXPECT_EQ(typed(s.ctx.sql), "String:untouched");
  }
  s.FenFaUser = "";
  s.FenFaBuMen = vb::NullValue{};
  s.FenFaUserDis = "kept";
  page::set_distribution_names(s);
  EXPECT_EQ(typed(s.FenFaUserDis), "String:kept");
}

TEST_F(DistributionTest, DepartmentNamesAndTheirKeys) {
  for (const char* list : {";3;;7;", ";3; 7;", "; 3 ;  ; 7 ;", "3,7"}) {
    s.FenFaBuMen = list;
    s.FenFaBuMenDis = "";
    page::set_distribution_names(s);
    EXPECT_EQ(typed(s.FenFaUserSQL), "String:3,7") << list;
    EXPECT_EQ(typed(s.FenFaBuMenDis), "String:会计组,财务部") << list;
    EXPECT_EQ(vb::CStr(s.ctx.sql),
              "select * from KE_Department where DepartMentID in (3,7) order by ordernumber")
        << list;
  }

  s.FenFaBuMen = ";3;x) or (1=1;";
  EXPECT_VB_ERROR(13, page::set_distribution_names(s));
}

}  // namespace
}  // namespace page_test
