#include <gtest/gtest.h>

#include <string>

#include "library/walks.h"
#include "library_fixture.h"

namespace library_test {
namespace {

class CatalogueDeletionTest : public DatabaseTest {
 protected:
  CatalogueDeletionTest() {
    db_.exec(
        "insert into KE_Catalog (KEID, ParentID, CatName) values"
        " (1, 0, '公文'), (2, 1, '收文'), (3, 1, '发文'), (4, 2, '二〇一一'), (5, 4, '一月'),"
        " (12, 0, '制度'), (20, 21, '甲'), (21, 20, '乙'), (22, 22, '自环');"
        "insert into KE_DutyPower (KEID, DutyName, FunList) values"
        " (1, '经理', '5*12*7'), (2, '主任', '12'), (3, '科员', '125*7'),"
        " (4, '文书', 'CHKDOS12*12*12*3'), (5, '司机', null);");
  }

  std::string catalogues() {
    return db_.scalar(
        "select group_concat(KEID, ',') from (select KEID from KE_Catalog order by KEID)");
  }
  // Each duty's function list, "NULL" for a Null one.
  std::string funlists() {
    return db_.scalar(
        "select group_concat(KEID||':'||coalesce(FunList, 'NULL'), ' ') from"
        " (select * from KE_DutyPower order by KEID)");
  }
};

TEST_F(CatalogueDeletionTest, TheCatalogueLeavesEveryDutysList) {
  library::deletedocumentfolder(ctx(), 12);
  EXPECT_EQ(catalogues(), "1,2,3,4,5,20,21,22");
  // Entries under a prefix stay; every list is written back, a Null one too.
  EXPECT_EQ(funlists(), "1:5*7 2: 3:125*7 4:CHKDOS12*3 5:");
  EXPECT_EQ(typed(ctx().sql), "String:select * from KE_Catalog where ParentID=12");
  expect_quiet();
}

// Looping parents end with their rows.
TEST_F(CatalogueDeletionTest, TheWholeSubtreeGoesAndOnlyIt) {
  db_.exec(
      "update KE_DutyPower set FunList = '2*3*4*5*1' where KEID = 1;"
      "insert into OA_Document (CatNumber, DocSubject) values (4, '通知');");
  for (const char* id : {"2", "20", "22"}) library::deletedocumentfolder(ctx(), id);
  EXPECT_EQ(catalogues(), "1,3,12");
  EXPECT_EQ(funlists(), "1:3*1 2:12 3:125*7 4:CHKDOS12*12*12*3 5:");
  EXPECT_EQ(db_.scalar("select count(*) from OA_Document"), "1");  // documents stay
  expect_quiet();
}

TEST_F(CatalogueDeletionTest, AFailurePartWayLeavesEverythingAsItWas) {
  db_.exec(
      "create trigger keep_five before delete on KE_Catalog when old.KEID = 5"
      " begin select raise(abort, 'catalogue 5 is locked'); end;"
      "update KE_DutyPower set FunList = '1*2*4*5' where KEID = 1;");
  library::deletedocumentfolder(ctx(), 1);
  EXPECT_EQ(catalogues(), "1,2,3,4,5,12,20,21,22");
  EXPECT_EQ(funlists(), "1:1*2*4*5 2:12 3:125*7 4:CHKDOS12*12*12*3 5:NULL");
  expect_logged_once("-2147217900 ", "catalogue 5 is locked");
  EXPECT_NE(page().find("Routine : qmflobiaodantianx.deletedocumentfolder"), std::string::npos);

  reset();
  library::deletedocumentfolder(ctx(), "1;delete from KE_DutyPower");
  expect_reported(13, "Type mismatch", "deletedocumentfolder");
  EXPECT_EQ(db_.scalar("select count(*) from KE_DutyPower"), "5");
}

TEST_F(CatalogueDeletionTest, InsideTheCallersTransactionAFailureUndoesOnlyItsOwnPart) {
  db_.exec(
      "create trigger keep_five before delete on KE_Catalog when old.KEID = 5"
      " begin select raise(abort, 'catalogue 5 is locked'); end;");
  conn_->BeginTrans();
  conn_->Execute("insert into KE_Catalog (KEID, ParentID) values (30, 0)");
  library::deletedocumentfolder(ctx(), 12);
  expect_quiet();
  library::deletedocumentfolder(ctx(), 1);
  expect_logged_once("-2147217900 ", "catalogue 5 is locked");
  EXPECT_TRUE(conn_->in_transaction());
  conn_->CommitTrans();
  EXPECT_EQ(catalogues(), "1,2,3,4,5,20,21,22,30");
  EXPECT_EQ(funlists(), "1:5*7 2: 3:125*7 4:CHKDOS12*3 5:");

  conn_->BeginTrans();  // and the caller's rollback takes it back
  library::deletedocumentfolder(ctx(), 30);
  conn_->RollbackTrans();
  EXPECT_EQ(catalogues(), "1,2,3,4,5,20,21,22,30");
}

}  // namespace
}  // namespace library_test
