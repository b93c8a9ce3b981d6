// Drives the mode, form, node and to-do phases of the page one by one on a PageState over a
// test database, so a test can read the page variables they leave.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "page/entry/current_node.h"
#include "page/entry/form_definition.h"
#include "page/entry/mode.h"
#include "page/entry/todo_state.h"
#include "page/page_state.h"
#include "platform/ado/connection.h"
#include "schema/form_tables.h"
#include "support/page_fixture.h"
#include "support/vb_matchers.h"

namespace page_test {

using test_support::typed;

class PhaseTest : public PageTest {
 protected:
  PhaseTest() {
    (*session_)["UserName"] = "zhang";
    reset_page();
  }

  // A page with no variables set yet on the request, session and database, as a new request.
  void reset_page() {
    std::destroy_at(&p);  // the page state cannot be assigned: a new one takes its place
    std::construct_at(&p, log_);
    p.ctx.Request = request_;
    p.ctx.Session = session_;
    p.ctx.Response = response_;
    auto conn = std::make_shared<platform::ado::Connection>();
    conn->Open(db_.connect());
    p.ctx.conn = conn;
  }

  // Adds request values, as the query string carries them: "key=value&key=value".
  void request(std::string_view query) {
    while (!query.empty()) {
      const std::string_view pair = query.substr(0, query.find('&'));
      request_->add_query_string(pair.substr(0, pair.find('=')), pair.substr(pair.find('=') + 1));
      query.remove_prefix(std::min(query.size(), pair.size() + 1));
    }
  }

  // The phases from the mode set-up to the user's to-do state, in the page's order.
  void run_mode_phases() {
    page::set_up_mode(p);
    page::enter_new_flow(p);
    page::enter_form_of_new_flow(p);
    page::enter_modify(p);
    page::enter_todo(p);
  }
  void run_phases() {
    run_mode_phases();
    page::load_form_definition(p);
    page::load_current_node(p);
    page::load_todo_state(p);
  }

  // Rows the cases share. Keys are given so that texts can name them.
  void add_form(long key) {
    db_.exec(
        "insert into OA_Flow_BiaoDan (OAID, Name, BiaoDanCSS, isJiaZai, ZhengWenType) values (" +
        std::to_string(key) + ", '请假单', '<p>[#1#]</p>', '0', '3')");
    schema::create_form_tables(db_.path(), key, {});
  }
  void add_model(long key, const std::string& isSystem, long form_key) {
    db_.exec(
        "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, isSystem, TiaoJian, IsOn) "
        "values (" +
        std::to_string(key) + ", '请假流程', " + std::to_string(form_key) + ", '" + isSystem +
        "', 'a>1', '1')");
  }
  // A node with its switches in the order iszhuanban, isgoutong, isFenFa, isFeiQi, isBoHui,
  // isRen (SQL literals: 'NULL' for a null column).
  void add_node(long key, long model, const std::string& isFirst,
                const std::string& switches = "'0', '0', '0', '0', '0', '0'") {
    db_.exec(
        "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst, BanLiType, "
        "EditFields, TQUserList, FenFaUser, FenFaBuMen, isTiaoGuo, iszhuanban, isgoutong, "
        "isFenFa, isFeiQi, isBoHui, isRen) values (" +
        std::to_string(key) + ", " + std::to_string(model) + ", '节点" + std::to_string(key) +
        "', '" + isFirst + "', '2', '3,4,', ';wang;', ';li;', ';5;', '1', " + switches + ")");
  }
  // A to-do row: "BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, SendUser, BanLiType" as SQL
  // literals.
  void add_todo(const std::string& values) {
    db_.exec(
        "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
        "SendUser, BanLiType) values (" +
        values + ")");
  }

  // The new-flow road: the request opens model 5 of kind `isSystem` over form 7.
  void add_new_flow_road(const std::string& isSystem) {
    add_form(7);
    add_model(5, isSystem, 7);
    request("LiuChengID=5");
  }

  // The to-do road: record 3 of form 7 waits at node 2 (not a first node) of model 5 (kind 1)
  // in the to-do list of the user "zhang". `switches` as add_node takes them.
  void add_todo_road(const std::string& switches = "'0', '0', '0', '0', '0', '0'") {
    add_form(7);
    add_model(5, "1", 7);
    add_node(2, 5, "0", switches);
    db_.exec(
        "insert into OA_FLOW_7_Main (OAID, CurrentJieDianIDs, RecordID, LiuChengID, CodeNumber, "
        "FileTile, ContentHTML) values (3, ',12,', 'R-1', 5, 'NO-9', '标题', '<p>正文</p>')");
    add_todo("'7', '3', '2', 'zhang', 'li', '0'");
  }
  static constexpr char kTodoQuery[] = "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2";

  std::shared_ptr<platform::asp::Request> request_ = std::make_shared<platform::asp::Request>();
  std::shared_ptr<platform::asp::Session> session_ = std::make_shared<platform::asp::Session>();
  std::shared_ptr<platform::asp::Response> response_ = std::make_shared<platform::asp::Response>();
  std::shared_ptr<platform::eventlog::RecordingEventLog> log_ =
      std::make_shared<platform::eventlog::RecordingEventLog>();
  page::PageState p{log_};
};

}  // namespace page_test
