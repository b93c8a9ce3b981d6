// Shared set-up of the field tests: form 7 of model 5 with the fields a case adds, a record at
// node 2, a page state with a fixed clock for the field steps, and whole-page renders.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "page/page_state.h"
#include "page/work_recordset.h"
#include "platform/ado/connection.h"
#include "schema/form_tables.h"
#include "support/page_fixture.h"
#include "support/vb_matchers.h"

namespace page_test {

// The clock of every field case: 2 September 2011, 14:07.
inline constexpr char kFieldNow[] = "2011-09-02 14:07:00";

class FieldTest : public PageTest {
 protected:
  FieldTest() {
    p.ctx.Session = session_;
    p.ctx.Request = std::make_shared<platform::asp::Request>();
    p.ctx.Response = std::make_shared<platform::asp::Response>();
    (*session_)["UserName"] = "zhang";
    (*session_)["TureName"] = "张三";
    (*session_)["_DeptName"] = "技术部";
    auto conn = std::make_shared<platform::ado::Connection>();
    conn->Open(db_.connect());
    p.ctx.conn = conn;
    for (vb::Variant* rs : {&p.rs, &p.rs2, &p.rsField}) *rs = page::new_recordset();
    p.BookMarkNames = vb::Array(1);
    p.BookMarkValues = vb::Array(1);
    p.BiaoDanID = "7";
    db_.exec("insert into KE_UserInfor (OAID, UserName, TureName, DepartMentID) values "
             "(1, 'zhang', '张三', 1), (2, 'li', '李四', 2), (3, 'wang', '王五', 2), "
             "(4, 'zhao', '赵六', 2), (5, 'sun', '孙七', 2)");
    db_.exec("insert into KE_Department (DepartMentID, ParentID, DepartName) values "
             "(1, 0, '总公司'), (2, 1, '技术部')");
  }

  // Form 7 with the template and the record table's columns (TEXT), on model 5 whose start
  // node 1 lets its handler edit `start_edit_fields`; node 2 lets `edit_fields`.
  void form(const std::string& html, const std::vector<std::string>& columns = {"A", "B", "C"},
            const std::string& start_edit_fields = "-2,1,2,3,",
            const std::string& edit_fields = "-2,1,", const std::string& ZhengWenType = "3") {
    db_.exec(
        "insert into OA_Flow_BiaoDan (OAID, Name, BiaoDanCSS, isJiaZai, ZhengWenType) values "
        "(7, '请假单', '" + quoted(html) + "', '0', '" + ZhengWenType + "')");
    schema::create_form_tables(db_.path(), 7, columns);
    db_.exec(
        "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, isSystem, IsOn) values "
        "(5, '请假流程', 7, '1', '1')");
    node(1, "1", start_edit_fields);
    node(2, "0", edit_fields);
  }
  void node(long key, const std::string& isFirst, const std::string& EditFields) {
    db_.exec(
        "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst, BanLiType, "
        "EditFields, TQUserList, iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui, isRen) "
        "values (" + std::to_string(key) + ", 5, '节点" + std::to_string(key) + "', '" + isFirst +
        "', '2', '" + EditFields + "', ';wang;', '0', '0', '0', '0', '0', '0')");
  }
  // A field of form 7: `more` adds columns and values, as ", DefaultValueType" and ", '7'".
  void field(long key, const std::string& FieldName, const std::string& FieldType,
             const std::string& more_columns = "", const std::string& more_values = "") {
    db_.exec(
        "insert into OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, "
        "FieldNameDis" + more_columns + ") values (" + std::to_string(key) +
        ", 'OA_FLOW_7_Main', '" + FieldName + "', " + FieldType + ", '名" + std::to_string(key) +
        "'" + more_values + ")");
  }
  // Record 3 of form 7, submitted by li, waiting at node 2 for zhang; `columns` and `values`
  // add field columns (", A" and ", 'x'").
  void record(const std::string& columns = "", const std::string& values = "") {
    db_.exec(
        "insert into OA_FLOW_7_Main (OAID, CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover, "
        "RecordID, LiuChengID" + columns + ") values (3, 'NO-9', '标题', 'li', "
        "'2011-09-01 08:00:00', '0', 'R-1', 5" + values + ")");
    db_.exec(
        "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
        "SendUser, BanLiType) values ('7', '3', '2', 'zhang', 'li', '0')");
  }
  // A handling step of record 3 at `node`.
  void handled_at(long node) {
    db_.exec("insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen) values ('3', " +
             std::to_string(node) + ", 'li')");
  }

  host::RenderOptions field_options() const {
    host::RenderOptions o = options();
    o.now = vb::CDate(vb::Variant(kFieldNow));
    o.session_values.emplace_back("_DeptName", "技术部");
    return o;
  }
  host::Rendered render_new_flow() const {
    host::RenderOptions o = field_options();
    o.query = "LiuChengID=5";
    return render(o);
  }
  host::Rendered render_todo() const {
    host::RenderOptions o = field_options();
    o.query = "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2";
    return render(o);
  }
  // The filled template as the handling panel writes it, without its div.
  static std::string filled(const std::string& body) {
    const std::string open = "<DIV id=JiBenXinXi name=JiBenXinXi>";
    const auto from = body.find(open);
    const auto to = body.find("</DIV>\r\n\t\t</td>", from);
    if (from == std::string::npos || to == std::string::npos) return "(no form) " + body;
    return body.substr(from + open.size(), to - from - open.size());
  }
  static std::string quoted(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out;
  }

  std::shared_ptr<platform::asp::Session> session_ = std::make_shared<platform::asp::Session>();
  std::shared_ptr<platform::eventlog::RecordingEventLog> log_ =
      std::make_shared<platform::eventlog::RecordingEventLog>();
  page::PageState p{log_, vb::CDate(vb::Variant(kFieldNow))};
};

}  // namespace page_test
