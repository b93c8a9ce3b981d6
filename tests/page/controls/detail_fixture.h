// A form with a detail table: form 7 whose record 3 waits at node 2 for the user "zhang", with
// the detail definition 1 of the columns 名称 (field 21, width 40 %) and 数量 (field 22, width
// 80 pixels), both editable at the node.
#pragma once

#include <string>

#include "page/controls/detail_tables.h"
#include "page/entry/phase_fixture.h"

namespace page_test {

class DetailTableTest : public PhaseTest {
 protected:
  DetailTableTest() {
    db_.exec(
        "insert into OA_Flow_BiaoDan (OAID, Name, BiaoDanCSS, isJiaZai, ZhengWenType) values "
        "(7, '采购单', '$1:明细$', '0', '3')");
    schema::create_form_tables(db_.path(), 7, {"QM名称", "QM数量", "QM单价"});
    add_model(5, "1", 7);
    add_node(2, 5, "0");
    db_.exec("update OA_Flow_Model_JieDian set EditFields = '21,22,'");
    db_.exec("insert into OA_FLOW_7_Main (OAID, LiuChengID) values (3, 5)");
    add_todo("'7', '3', '2', 'zhang', 'li', '0'");
    request(kTodoQuery);
    add_column(21, "名称", "40", "'%'");
    add_column(22, "数量", "80", "'像素'");
    db_.exec(
        "insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values (1, '名称,数量')");
  }

  // A detail column's field row; kuandu and leixing as SQL literals.
  void add_column(long key, const std::string& caption, const std::string& kuandu,
                  const std::string& leixing) {
    db_.exec(
        "insert into OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, kuandu, "
        "leixing) values (" +
        std::to_string(key) + ", 'OA_FLOW_7_Main', 'QM" + caption + "', '单行文本型', " + kuandu +
        ", " + leixing + ")");
  }
  void set_template(const std::string& css) {
    db_.exec("update OA_Flow_BiaoDan set BiaoDanCSS = '" + css + "'");
  }
  // The stored detail columns of record 3, as SQL literals.
  void store(const std::string& names, const std::string& counts) {
    db_.exec("update OA_FLOW_7_Main set \"QM名称\" = " + names + ", \"QM数量\" = " + counts);
  }

  // Runs the page's phases up to the detail tables on the to-do request of record 3 (the
  // request of every case); returns
  // what the detail step wrote to the response (its scripts).
  std::string run_detail_tables() {
    run_phases();
    response_->take_body();
    page::build_detail_tables(p);
    return response_->take_body();
  }

  // The template as the detail step leaves it, without the div that wraps it.
  std::string filled() const {
    const std::string html = vb::CStr(p.BiaoDanHTML);
    const std::string open = "<DIV id=JiBenXinXi name=JiBenXinXi>";
    return html.substr(open.size(), html.size() - open.size() - 6);
  }
};

}  // namespace page_test
