// The cost of the typed controls and the detail tables as a form grows: a whole to-do page of a
// stored record whose fields cycle through every field type, all editable, with one editable
// detail table of stored rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "stored_record_request.h"
#include "host/request_runner.h"
#include "page/controls/field_controls.h"
#include "page/page_state.h"
#include "page/work_recordset.h"
#include "platform/ado/connection.h"
#include "platform/asp/session.h"
#include "schema/database.h"
#include "schema/form_tables.h"
#include "vb/builtins.h"

namespace {

constexpr const char* kTypes[] = {
    "HTML编辑器型", "复选框",     "下拉列表型", "真假型",     "日期时间型", "选择型",   "意见型",
    "签字型",       "选择部门型", "查询型",     "选择用户型", "附件型",     "多附件型", "图片型",
    "签名文件型",   "备注型",     "流水号型",   "超链接型",   "电子邮件型", "数字型"};

void exec(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::fprintf(stderr, "%s\n", message);
    sqlite3_free(message);
  }
  sqlite3_close(db);
}

// A scratch database whose form 7 has `fields` fields, the i-th of type kTypes[i % 20], each
// placed once in the template and stored in record 3 (with the companion columns of the file and
// look-up fields), and the detail table 1 of three columns
// with `rows` stored rows. Record 3 waits at node 2 for the user "zhang", which lets the user
// edit every field; node 1 has handled it, so the stored values are read.
std::string database_with(int fields, int rows) {
  const std::string path = "/tmp/page_controls_bench_" + std::to_string(getpid()) + "_" +
                           std::to_string(fields) + "_" + std::to_string(rows) + ".db";
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  schema::create_database(path, false);

  std::vector<std::string> columns;
  std::string html = "<TABLE>", editable = "-2,", names, values, definitions;
  for (int i = 1; i <= fields; ++i) {
    const std::string key = std::to_string(i), column = "F" + key;
    const std::string type = kTypes[i % 20];
    columns.push_back(column);
    // The companions of a file's name and content and of a look-up's hidden value.
    if (type == "附件型") {
      columns.push_back(column + "Title");
      columns.push_back(column + "Content");
    }
    if (type == "查询型") columns.push_back(column + "value");
    html += "<TR><TD>字段" + key + "</TD><TD>{" + key + ":字段" + key + "}</TD></TR>\r\n";
    editable += key + ",";
    names += ", " + column;
    values += type == "复选框" ? ", '1'" : type == "真假型" ? ", '否'" : ", '值" + key + "'";
    definitions += std::string(i > 1 ? ", " : "") + "(" + key + ", 'OA_FLOW_7_Main', '" + column +
                   "', '" + type + "', '类别', '0', '" + (type == "真假型" ? "是*否" : "d") +
                   "', '1', '1', '0', '')";
  }
  // The detail table's columns.
  const char* captions[] = {"名称", "数量", "单价"};
  std::string details[3];
  for (int k = 0; k < 3; ++k) {
    const std::string key = std::to_string(fields + 1 + k);
    columns.push_back(std::string("QM") + captions[k]);
    editable += key + ",";
    names += std::string(", \"QM") + captions[k] + "\"";
    definitions += ", (" + key + ", 'OA_FLOW_7_Main', 'QM" + captions[k] + "', '单行文本型', '" +
                   captions[k] + "', '0', '', '1', '1', '0', '')";
    for (int r = 0; r < rows; ++r) details[k] += (r ? "," : "") + std::to_string(r * 3 + k);
  }
  for (const std::string& detail : details) values += ", '" + detail + "'";
  html += "<TR><TD colSpan=2>$1:明细$</TD></TR></TABLE>";

  schema::create_form_tables(path, 7, columns);
  exec(path,
       "insert into OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, FieldNameDis, "
       "DefaultValueType, DefaultValue, FieldHasDate, FieldHasTime, isFJ1, FJ1BiaoTi) values " +
           definitions +
           ";"
           "insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values (1, "
           "'名称,数量,单价');"
           "insert into OA_ZiDian (OAID, Name, ParentID, ZDType, OrderNumber) values "
           "(1, '类别', 0, '0', 1), (2, '甲', 1, '1', 1), (3, '乙', 1, '1', 2);"
           "insert into OA_Flow_QianMing (usernames, FileName) values (';zhang;', 'z.gif');"
           "insert into OA_Flow_BiaoDan (OAID, Name, BiaoDanCSS, isJiaZai, ZhengWenType) values "
           "(7, '表单', '" +
           html +
           "', '0', '3');"
           "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, isSystem, IsOn) values "
           "(5, '流程', 7, '1', '1');"
           "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst, BanLiType, "
           "EditFields) values (1, 5, '开始', '1', '2', '" +
           editable + "'), (2, 5, '审核', '0', '2', '" + editable +
           "');"
           "insert into OA_FLOW_7_Main (OAID, FileTile, TiJiaoRen, isover, LiuChengID" +
           names + ") values (3, '标题', 'li', '0', 5" + values +
           ");"
           "insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen) values ('3', 1, "
           "'li');"
           "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
           "BanLiType) values ('7', '3', '2', 'zhang', '0');"
           "insert into KE_UserInfor (UserName, TureName, DepartMentID) values ('zhang', '张三', "
           "1), "
           "('li', '李四', 1);");
  return path;
}

// range(0): fields of the form; range(1): stored rows of its detail table.
void BM_RenderMixedRecord(benchmark::State& state) {
  const std::string path =
      database_with(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const host::RenderOptions o = stored_record_request(path);
  for (auto _ : state) {
    const host::Rendered r = host::render_once(o);
    if (r.body.find("</form>") == std::string::npos || !r.event_log.empty() ||
        r.body.find("AddRowMX1") == std::string::npos) {
      state.SkipWithError(r.event_log.empty() ? "the page did not render whole"
                                              : r.event_log.front().c_str());
      break;
    }
    benchmark::DoNotOptimize(r.body.size());
  }
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
}
BENCHMARK(BM_RenderMixedRecord)
    ->Args({100, 200})
    ->Args({200, 200})
    ->Args({400, 200})
    ->Args({100, 400})
    ->Args({100, 800})
    ->Unit(benchmark::kMillisecond);

// The controls alone: build_field_control for every field of the same database, as the field
// loop calls it once each field's value is known.
void BM_BuildControls(benchmark::State& state) {
  const int fields = static_cast<int>(state.range(0));
  const std::string path = database_with(fields, 1);
  page::PageState p(std::make_shared<platform::eventlog::RecordingEventLog>());
  p.ctx.Session = std::make_shared<platform::asp::Session>();
  (*p.ctx.Session)["UserName"] = "zhang";
  auto conn = std::make_shared<platform::ado::Connection>();
  conn->Open("Provider=SQLite;Data Source=" + path);
  p.ctx.conn = conn;
  p.rsField = page::new_recordset();
  p.rs = page::new_recordset();
  p.BiaoDanID = "7";
  p.BiaoDanRecordID = "3";
  for (auto _ : state) {
    for (int i = 1; i <= fields; ++i) {
      p.zdID = std::to_string(i);
      p.FieldType = kTypes[i % 20];
      p.zdValue = "值";
      page::build_field_control(p);
      p.rsField.as<platform::ado::Recordset>().Close();
      benchmark::DoNotOptimize(p.strHTML);
    }
  }
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
}
BENCHMARK(BM_BuildControls)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
