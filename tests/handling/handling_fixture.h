// The handling tests' fixture: a request context on a fresh office database with a small
// model (nodes 1 start, 2, 3, 4 end), a view of the to-do page at node 2 and helpers that add
// rows.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "handling/handling_view.h"
#include "library/library_fixture.h"
#include "schema/form_tables.h"

namespace handling_test {

class HandlingTest : public library_test::DatabaseTest {
 protected:
  HandlingTest() {
    (*ctx().Session)["UserName"] = "zhang";
    db_.exec(
        "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst) values "
        "(1, 5, '填写', '1'), (2, 5, '审核', '0'), (3, 5, '复核', '0'), (4, 5, '批准', '3')");
    view.BiaoDanID = "7";
    view.BiaoDanRecordID = "3";
    view.JieDianID = "2";
    view.isFirst = "0";
    for (vb::Variant* flag :
         {&view.iszhuanban, &view.isgoutong, &view.isFenFa, &view.isFeiQi, &view.isBoHui}) {
      *flag = "0";
    }
    view.DaiBanBanLiType = "0";
    view.isSendGouTong = false;
    view.ZhengWenType = "3";
    view.BiaoDanName = "请假单";
    view.BiaoDanHTML = "<DIV id=JiBenXinXi name=JiBenXinXi><p>表单</p></DIV>";
  }

  // Connections "from,to,'condition'" as SQL rows, e.g. "(2, 3, ''), (2, 4, 'a>1')".
  void connect(const std::string& rows) {
    db_.exec("insert into OA_Flow_Model_JieDian_ConnectTiaoJian (FromID, ToID, TiaoJian) values " +
             rows);
  }
  void add_step_table() { schema::create_form_tables(db_.path(), 7, {}); }

  handling::HandlingView view;
};

}  // namespace handling_test
