// The privileged model copy: what a new flow on a model whose isSystem is "2" adds to the
// workflow tables, and that a failure part-way adds nothing.
#include "page/entry/model_copy.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "page/entry/phase_fixture.h"
#include "platform/ado/recordset.h"

namespace page_test {
namespace {

class ModelCopyTest : public PhaseTest {
 protected:
  ModelCopyTest() {
    add_form(7);
    db_.exec(
        "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, TiaoJian, TiaoJianDis, "
        "IsOn, isSystem, Manager, chufaflow, isTongZhi, Remark) values (5, '特殊采购', 7, "
        "'je>1', '金额大于1', '1', '2', ';admin;', '3', '1', '原模型')");
    request("LiuChengID=5");
    // The node columns a copy carries over: all but the keys (isTiaoGuo only for the first node).
    std::istringstream names(
        db_.scalar("select group_concat(name, ' ') from pragma_table_info('OA_Flow_Model_JieDian') "
                   "where name not in ('OAID', 'MOAID', 'isTiaoGuo')"));
    for (std::string name; names >> name;) node_columns_.push_back(name);
  }

  // A node of the source model with a distinct value in every column; the start node when its
  // name is 开始.
  void add_source_node(long key, const std::string& name) {
    std::string columns = "OAID, MOAID, isTiaoGuo";
    std::string values = std::to_string(key) + ", 5, '1'";
    for (const std::string& column : node_columns_) {
      columns += ", " + column;
      if (column == "JieDianName") {
        values += ", '" + name + "'";
      } else if (column == "isFirst") {
        values += name == "开始" ? ", '1'" : ", '3'";  // a later node's isFirst is copied as it is
      } else if (column == "WaitTime" || column == "PosX" || column == "PosY") {
        values += ", " + std::to_string(key * 10 + static_cast<long>(column.size()));
      } else {
        values += ", '" + name + ":" + column + "'";
      }
    }
    db_.exec("insert into OA_Flow_Model_JieDian (" + columns + ") values (" + values + ")");
  }
  // The source model's connections as from>to pairs; to: a node key, "0" or "NULL".
  void add_links(const std::vector<std::pair<long, const char*>>& links) {
    for (const auto& [from, to] : links) {
      db_.exec(
          "insert into OA_Flow_Model_JieDian_ConnectTiaoJian (MOAID, FromID, ToID, TiaoJian) "
          "values (5, " +
          std::to_string(from) + ", " + to + ", 'je>100')");
    }
  }

  void copy_model() {
    page::set_up_mode(p);
    page::enter_new_flow(p);
  }
  std::string copy_key() const { return vb::CStr(p.LiuChengID); }
  std::string count(const std::string& table) const {
    return db_.scalar("select count(*) from " + table);
  }
  std::string count_seen_by_page(const std::string& table) {
    vb::Variant rows =
        p.ctx.conn.as<platform::ado::Connection>().Execute("select count(*) from " + table);
    return vb::CStr(rows.as<platform::ado::Recordset>()(0));
  }
  // Names of the copy's nodes, in the order they were added.
  std::string copied_nodes() const {
    return db_.scalar(
        "select group_concat(JieDianName) from (select JieDianName from "
        "OA_Flow_Model_JieDian where MOAID = " +
        copy_key() + " order by OAID)");
  }
  // The copy's connections as "from>to" by node name, with their condition ("-" for none).
  std::string copied_links() const {
    return db_.scalar(
        "select group_concat(link) from (select f.JieDianName || '>' || t.JieDianName || "
        "ifnull(c.TiaoJian, '-') as link from OA_Flow_Model_JieDian_ConnectTiaoJian c "
        "join OA_Flow_Model_JieDian f on f.OAID = c.FromID join OA_Flow_Model_JieDian t on "
        "t.OAID = c.ToID where c.MOAID = " +
        copy_key() + " and f.MOAID = c.MOAID and t.MOAID = c.MOAID order by c.OAID)");
  }
  // How many of the copy's nodes equal their source node in every carried column.
  std::string same_as_source() const {
    std::string sql =
        "select count(*) from OA_Flow_Model_JieDian s join OA_Flow_Model_JieDian c on c.MOAID = " +
        copy_key() + " and c.JieDianName = s.JieDianName where s.MOAID = 5";
    for (const std::string& column : node_columns_) sql += " and c." + column + " is s." + column;
    return db_.scalar(sql);
  }

  std::vector<std::string> node_columns_;
};

TEST_F(ModelCopyTest, TheHeaderAndAChainAreCopiedAndTheCopysKeyGoesToLiuChengID) {
  add_source_node(10, "开始");
  add_source_node(11, "B");
  add_source_node(12, "C");
  add_links({{10, "11"}, {11, "12"}});
  copy_model();

  EXPECT_EQ(typed(p.LiuChengID),
            "Long:" + db_.scalar("select max(OAID) from OA_Flow_Model_Header"));
  EXPECT_EQ(typed(p.LiuChengType), "Integer:2");
  EXPECT_EQ(db_.scalar("select Name || '|' || BiaoDanID || '|' || TiaoJian || '|' || TiaoJianDis "
                       "|| '|' || IsOn || '|' || isSystem || '|' || Manager || '|' || chufaflow "
                       "|| '|' || isTongZhi || '|' || parentID || '|' || Remark from "
                       "OA_Flow_Model_Header where OAID = " +
                       copy_key()),
            "特殊采购|7|je>1|金额大于1|1|2|;admin;|3|1|5|特权流程");
  EXPECT_EQ(copied_links(), "开始>B-,B>C-");
  EXPECT_EQ(same_as_source(), "3");
  EXPECT_EQ(db_.scalar("select group_concat(ifnull(isTiaoGuo, '-')) from (select isTiaoGuo from "
                       "OA_Flow_Model_JieDian where MOAID = " +
                       copy_key() + " order by OAID)"),
            "1,-,-");
  // The source model is left as it was.
  EXPECT_EQ(count("OA_Flow_Model_JieDian where MOAID = 5"), "3");
  EXPECT_EQ(count("OA_Flow_Model_JieDian_ConnectTiaoJian where MOAID = 5"), "2");
}

struct WalkCase {
  const char* name;
  std::vector<std::pair<long, const char*>> links;  // in the order the database returns them
  const char* nodes;
  const char* links_copied;
};

class ModelCopyWalkTest : public ModelCopyTest, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(ModelCopyWalkTest, FollowsTheFirstConnectionOfEachNodeAndEndsACycle) {
  add_source_node(10, "开始");
  add_source_node(11, "B");
  add_source_node(12, "C");
  add_source_node(13, "D");
  add_links(GetParam().links);
  copy_model();
  EXPECT_EQ(copied_nodes(), GetParam().nodes);
  EXPECT_EQ(copied_links(), GetParam().links_copied);
}

INSTANTIATE_TEST_SUITE_P(
    Chains, ModelCopyWalkTest,
    ::testing::Values(
        WalkCase{"NoConnections", {}, "开始", ""},
        WalkCase{"TwoWaysOut", {{10, "11"}, {10, "13"}, {11, "12"}}, "开始,B,C", "开始>B-,B>C-"},
        WalkCase{"CycleBackToB", {{10, "11"}, {11, "12"}, {12, "11"}}, "开始,B,C", "开始>B-,B>C-"},
        WalkCase{"CycleBackToStart", {{10, "11"}, {11, "10"}}, "开始,B", "开始>B-"},
        WalkCase{"MissingNodeIsSkipped", {{10, "99"}, {99, "12"}}, "开始,C", "开始>C-"},
        WalkCase{"LoopThroughAMissingNode", {{10, "99"}, {99, "99"}}, "开始", ""},
        WalkCase{"ToIdZeroEnds", {{10, "0"}, {0, "11"}}, "开始", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModelCopyTest, AModelWithoutStartNodeIsCopiedAsAHeaderAlone) {
  add_source_node(11, "B");
  copy_model();
  EXPECT_EQ(count("OA_Flow_Model_Header"), "2");
  EXPECT_EQ(copied_nodes(), "");
}

TEST_F(ModelCopyTest, AFailurePartWayRollsBackTheWholeCopy) {
  add_source_node(10, "开始");
  add_source_node(11, "B");
  add_links({{10, "11"}});
  db_.exec(  // the database refuses the copy of B
      "create trigger refuse_second_copy before insert on OA_Flow_Model_JieDian "
      "when new.MOAID <> 5 and (select count(*) from OA_Flow_Model_JieDian "
      "where MOAID = new.MOAID) >= 1 begin select raise(abort, 'node refused'); end");
  EXPECT_VB_ERROR(-2147217900, copy_model());
  // Read on the page's own connection, which would still see rows it had not rolled back.
  EXPECT_EQ(count_seen_by_page("OA_Flow_Model_Header"), "1");
  EXPECT_EQ(count_seen_by_page("OA_Flow_Model_JieDian"), "2");
  EXPECT_EQ(count_seen_by_page("OA_Flow_Model_JieDian_ConnectTiaoJian"), "1");

  db_.exec("drop trigger refuse_second_copy; delete from OA_Flow_Model_JieDian_ConnectTiaoJian");
  add_links({{10, "NULL"}});  // a ToID that is no number
  EXPECT_VB_ERROR(vb::kInvalidUseOfNull, copy_model());
  EXPECT_EQ(count_seen_by_page("OA_Flow_Model_Header"), "1");
  EXPECT_EQ(count_seen_by_page("OA_Flow_Model_JieDian"), "2");
}

TEST_F(ModelCopyTest, AnUnreadableHeaderStopsThePageAndCopiesNothing) {
  db_.exec(
      "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst) "
      "values (40, 41, '孤儿', '1')");
  page::set_up_mode(p);
  p.LiuChengID = "41";
  p.OldLiuChengID = "41";
  EXPECT_VB_ERROR(vb::kPageStop, page::copy_privileged_model(p));
  EXPECT_EQ(response_->body(), "错误参数！");
  EXPECT_EQ(count("OA_Flow_Model_JieDian"), "1");
  EXPECT_EQ(count("OA_Flow_Model_Header"), "1");
  EXPECT_EQ(typed(p.LiuChengID), "String:41");
}

}  // namespace
}  // namespace page_test
