#include <gtest/gtest.h>

#include <string>

#include "hostile_names.h"
#include "library/trees.h"
#include "library_fixture.h"

namespace library_test {
namespace {

constexpr char kBlank[] = "<img src='images/blank.gif'>";
constexpr char kLeaf[] = "<img align=middle src='images/tree_Dot.gif'>&nbsp;";

class DepartmentOutlineTest : public DatabaseTest {
 protected:
  DepartmentOutlineTest() {
    db_.exec(
        "insert into KE_Department (DepartMentID, ParentID, DepartName) values"
        " (1, 0, '总公司'), (2, 1, '办公室'), (4, 1, '财务部');"
        "insert into KE_UserInfor (OAID, UserName, TureName, DepartMentID, IPAddress,"
        " AccountState, OrderNumber) values"
        " (1, 'wang', '王五', 1, null, '1', 3), (2, 'zhang', '张三', 1, '10.0.0.1', '1', 2),"
        " (3, 'li', '李四', 1, null, '0', 1), (4, 'o''neil', '奥 尼尔', 2, 'a''b', '1', 1);"
        "insert into KE_PersonOnline (UserName) values ('zhang'), ('o''neil');");
  }
};

TEST_F(DepartmentOutlineTest, UsersThenABlockPerSubDepartment) {
  library::tabshowdepartmentchildandusername(ctx(), 1, 0);
  const std::string leaf = std::string("<nobr>") + kBlank + "<img align=middle src='images/";
  // Active users by OrderNumber; the one on line in blue, the other in gray with its font tag
  // left open; stored values stay inside their attribute and script string.
  expect_in_order({leaf + "tree_Dot.gif'>&nbsp;<A class=Topic id='Topzhang'",
                   "OpenSmallWindows('ShortMsg.asp?TrueName=%D5%C5%C8%FD&UserName=zhang')",
                   "IP地址：10.0.0.1' ><font color=blue>张三</font></a></nobr><BR>",
                   "title='账号：wang IP地址：'><font color=gray>王五</a></nobr><BR>",
                   leaf + "tree_OFolder.gif' id=Out2i", "id=Out2t>办公室</a></nobr><br>",
                   "<div id=Out2s style='DISPLAY: '>", std::string("<nobr>") + kBlank + kBlank,
                   "id='Topo&#39;neil'", "TrueName=%B0%C2%20%C4%E1%B6%FB&UserName=o%27neil') ",
                   "title='账号：o&#39;neil IP地址：a&#39;b' ><font color=blue>奥 尼尔</font>",
                   "</div>",
                   "id=Out4t>财务部</a></nobr><br><div id=Out4s style='DISPLAY: '></div>"});
  EXPECT_EQ(page().find("李四"), std::string::npos);
  EXPECT_EQ(typed(ctx().sql), "String:select * from KE_Department where ParentID=4");
  EXPECT_EQ(logged(), std::vector<std::string>{});
}

// Whole lines of department 30 below 29: its caption, then a user on line and one not, whose
// names are stored hostile; each place writes them in its own form and nothing else changes.
TEST_F(DepartmentOutlineTest, HostileNamesStayInTheirPlacesOfWholeLines) {
  for (const HostileName& name : kHostileNames) {
    reset();
    const std::string n = sql_literal(name.stored), on = sql_literal("u" + name.stored),
                      off = sql_literal("v" + name.stored);
    db_.exec(
        "delete from KE_Department where DepartMentID=30; delete from KE_UserInfor where"
        " DepartMentID=30; delete from KE_PersonOnline;"
        "insert into KE_Department (DepartMentID, ParentID, DepartName) values (30, 29, " +
        n +
        "); insert into KE_UserInfor (OAID, UserName, TureName, DepartMentID, IPAddress,"
        " AccountState, OrderNumber) values (30, " +
        on + ", " + n + ", 30, " + n + ", '1', 1), (31, " + off + ", " + n +
        ", 30, null, '1', 2);"
        "insert into KE_PersonOnline (UserName) values (" +
        on + ");");
    library::tabshowdepartmentchildandusername(ctx(), 29, 0);
    const std::string user =
        std::string("<nobr>") + kBlank + kBlank + kLeaf + "<A class=Topic id='Top";
    const std::string click =
        "'   style='cursor: hand'  onclick=Javascript:OpenSmallWindows("
        "'ShortMsg.asp?TrueName=" +
        name.url + "&UserName=";
    EXPECT_EQ(page(),
              std::string("<nobr>") + kBlank +
                  "<img align=middle src='images/tree_OFolder.gif' id=Out30i style='CURSOR: hand'"
                  " class=Outline>&nbsp;<A class=Outline id=Out30t>" +
                  name.html + "</a></nobr><br><div id=Out30s style='DISPLAY: '>" + user + "u" +
                  name.html + click + "u" + name.url + "') title='账号：u" + name.html +
                  " IP地址：" + name.html + "' ><font color=blue>" + name.html +
                  "</font></a></nobr><BR>" + user + "v" + name.html + click + "v" + name.url +
                  "') title='账号：v" + name.html + " IP地址：'><font color=gray>" + name.html +
                  "</a></nobr><BR>" + "</div>")
        << name.stored;
    EXPECT_EQ(logged(), std::vector<std::string>{});
  }
}

TEST_F(DepartmentOutlineTest, AFailingDepartmentEndsOnlyItsOwnBlock) {
  db_.exec("drop table KE_PersonOnline;");
  library::tabshowdepartmentchildandusername(ctx(), 0, 0);
  // Department 1 fails at its first user; the walk of the top goes on after its block.
  const std::string& text = page();
  EXPECT_TRUE(text.starts_with(std::string("<nobr>") + kBlank +
                               "<img align=middle src='images/tree_OFolder.gif' id=Out1i"))
      << text;
  EXPECT_NE(text.find("<div id=Out1s style='DISPLAY: '> Error "), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("Routine : qmflobiaodantianx.tabshowdepartmentchildandusername</div>"))
      << text;
  expect_logged_once("-2147217900 ");
}

class CatalogueOutlineTest : public DatabaseTest {
 protected:
  CatalogueOutlineTest() {
    db_.exec(
        "insert into KE_Catalog (KEID, ParentID, CatName, CreateDate) values"
        " (1, 0, '公文', '2011-01-01'), (2, 1, '收文', '2011-01-02'), (3, 1, '发文', '2011-01-03'),"
        " (4, 2, 'it''s', '2011-01-04');"
        "insert into OA_Document (OAID, CatNumber, DocSubject, UpdateDate) values"
        " (7, 1, 'A \"x\"', '2011-02-01'), (8, 1, '通知', '2011-03-01'), (9, 4, '月报', "
        "'2011-03-01');");
    ctx().Session->operator[]("UserName") = "zhang";
  }

  void grant(const std::string& codes) {
    db_.exec("insert into OA_SysPower (Code, UserList) select value, 'zhang' from json_each('[" +
             codes + "]');");
  }
};

TEST_F(CatalogueOutlineTest, DocumentsNewestFirstThenPermittedSubCatalogues) {
  ctx().Session->operator[]("isAdmin") = "TRUE";
  library::tabshowdocumentstructure(ctx(), 1, 0);
  expect_in_order(
      {"id='Top8'  title='通知'", "OpenDocDetail('OA_DocDisplay.asp?OAID=8')>通知</a>",
       "id='Top7'  title='A &quot;x&quot;'", ">A &quot;x&quot;</a></nobr><BR>", "id=Out3i",
       "href='OA_DocumentList.asp?CatNumber=3' id=Out3t target='detail'",
       "<div id=Out3s style='DISPLAY: '></div>", "id=Out2i", "<div id=Out2s",
       std::string(kBlank) + kBlank + "<img align=middle src='images/tree_OFolder.gif' id=Out4i",
       "title='it&#39;s' >it&#39;s</a></nobr><br><div id=Out4s style='DISPLAY: '>",
       std::string(kBlank) + kBlank + kBlank + "<img align=middle src='images/tree_Dot.gif'>",
       "id='Top9'", ">月报</a></nobr><BR></div></div>"});
  EXPECT_EQ(logged(), std::vector<std::string>{});
}

// Whole lines of catalogue 29 for an administrator: its document and sub-catalogue 30 with its
// document in the outline, and 30 in the chooser, every name stored hostile.
TEST_F(CatalogueOutlineTest, HostileNamesStayInTheirPlacesOfWholeLines) {
  for (const HostileName& name : kHostileNames) {
    reset();
    ctx().Session->operator[]("isAdmin") = "TRUE";
    const std::string n = sql_literal(name.stored);
    db_.exec(
        "delete from KE_Catalog where KEID=30; delete from OA_Document where OAID>30;"
        "insert into KE_Catalog (KEID, ParentID, CatName, CreateDate) values (30, 29, " +
        n +
        ", '2011-01-01'); insert into OA_Document (OAID, CatNumber, DocSubject, UpdateDate)"
        " values (31, 29, " +
        n + ", '2011-02-01'), (32, 30, " + n + ", '2011-02-01');");
    const auto document = [&](const std::string& indentation, const std::string& id) {
      return "<nobr>" + indentation + kLeaf + "<A class=Topic id='Top" + id + "'  title='" +
             name.html +
             "'   style='cursor: hand'    onclick=Javascript:OpenDocDetail("
             "'OA_DocDisplay.asp?OAID=" +
             id + "')>" + name.html + "</a></nobr><BR>";
    };
    const std::string folder =
        "<img align=middle src='images/tree_OFolder.gif' id=Out30i style='CURSOR: hand' "
        "class=Outline>&nbsp;";
    library::tabshowdocumentstructure(ctx(), 29, 0);
    EXPECT_EQ(page(), document(kBlank, "31") + "<nobr>" + kBlank + folder +
                          "<A class=Outline href='OA_DocumentList.asp?CatNumber=30' id=Out30t "
                          "target='detail'  title='" +
                          name.html + "' >" + name.html +
                          "</a></nobr><br><div id=Out30s style='DISPLAY: '>" +
                          document(std::string(kBlank) + kBlank, "32") + "</div>")
        << name.stored;
    reset();
    ctx().Session->operator[]("isAdmin") = "TRUE";
    library::showdoctree(ctx(), 29, 0);
    EXPECT_EQ(page(),
              "<nobr>&nbsp;&nbsp;&nbsp;" + folder + "<A class=Outline  id=Out30t  title='" +
                  name.html + "' >" + name.html +
                  "</a><INPUT type=radio id=tree name=tree  onclick=\" javascript:ClickS(30,'" +
                  name.script +
                  "')\"   value=30></nobr><br>"
                  "<div id=Out30s style='DISPLAY: '></div>")
        << name.stored;
    EXPECT_EQ(logged(), std::vector<std::string>{});
  }
}

TEST_F(CatalogueOutlineTest, TheParentsCodesDecideWhatShows) {
  grant("\"CHKDOP1\"");  // sub-catalogues of 1 show, its documents and deeper levels do not
  library::tabshowdocumentstructure(ctx(), 1, 0);
  expect_in_order({"id=Out3t", "<div id=Out3s style='DISPLAY: '></div>", "id=Out2t",
                   "<div id=Out2s style='DISPLAY: '></div>"});
  for (const char* hidden : {"Top", "Out4"}) EXPECT_EQ(page().find(hidden), std::string::npos);
  EXPECT_EQ(logged(), std::vector<std::string>{});
}

TEST_F(CatalogueOutlineTest, TheChooserShowsOwnCodesKeepsEveryContainerAndWalksLoopsOnce) {
  grant("\"CHKDOP2\", \"CHKDOP4\"");
  library::showdoctree(ctx(), 0, 0);
  const std::string indent = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
  expect_in_order({"<div id=Out1s style='DISPLAY: '><div id=Out3s style='DISPLAY: '></div>",
                   "<nobr>" + indent + "<img", "id=Out2t  title='收文' >收文</a>",
                   "onclick=\" javascript:ClickS(2,'收文')\"   value=2></nobr><br><div id=Out2s",
                   "<nobr>" + indent + "&nbsp;&nbsp;&nbsp;<img", "title='it&#39;s' >it&#39;s</a>",
                   "javascript:ClickS(4,'it\\&#39;s')\"   value=4></nobr><br>",
                   "</div></div></div>"});
  EXPECT_EQ(page().find("id=Out1t"), std::string::npos);
  reset();
  ctx().Session->operator[]("UserName") = "li";
  library::showdoctree(ctx(), 0, 0);
  EXPECT_EQ(page(),
            "<div id=Out1s style='DISPLAY: '><div id=Out3s style='DISPLAY: '></div>"
            "<div id=Out2s style='DISPLAY: '><div id=Out4s style='DISPLAY: '></div></div></div>");
  // Looping catalogues are walked once.
  reset();
  ctx().Session->operator[]("isAdmin") = "TRUE";
  db_.exec(
      "insert into KE_Catalog (KEID, ParentID, CreateDate) values (20, 21, '1'), (21, 20, '1');");
  library::showdoctree(ctx(), 20, 0);
  EXPECT_TRUE(page().ends_with("value=21></nobr><br><div id=Out21s style='DISPLAY: '></div>"));
  EXPECT_EQ(page().find("Out20"), std::string::npos);
  EXPECT_EQ(logged(), std::vector<std::string>{});
}

}  // namespace
}  // namespace library_test
