// The field loop's cost as the form grows: a whole to-do page of a stored record with 50 to 500
// field placeholders, and the placeholder fill alone against whole-text Replace per field.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "stored_record_request.h"
#include "host/request_runner.h"
#include "page/placeholder_text.h"
#include "schema/database.h"
#include "schema/form_tables.h"
#include "vb/builtins.h"

namespace {

void exec(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// A scratch database whose form 7 has `fields` text fields, every one placed once in the
// template and stored in record 3, which waits at node 2 for the user "zhang"; node 1 has
// handled it and could edit every field, and node 2 lets the user edit every other one.
std::string database_with(int fields) {
  const std::string path =
      "/tmp/page_fields_bench_" + std::to_string(getpid()) + "_" + std::to_string(fields) + ".db";
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  schema::create_database(path, false);
  std::vector<std::string> columns;
  std::string html = "<TABLE>", all = "-2,", every_other = "-2,", names, values;
  for (int i = 1; i <= fields; ++i) {
    const std::string key = std::to_string(i), column = "F" + key;
    columns.push_back(column);
    html += "<TR><TD>字段" + key + "</TD><TD>{" + key + ":字段" + key + "}</TD></TR>\r\n";
    all += key + ",";
    if (i % 2 == 0) every_other += key + ",";
    names += ", " + column;
    values += ", '值" + key + "'";
    exec(path, "insert into OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, "
               "FieldNameDis, DefaultValueType, DefaultValue) values (" + key +
               ", 'OA_FLOW_7_Main', '" + column + "', '单行文本型', '字段" + key + "', '0', 'd')");
  }
  schema::create_form_tables(path, 7, columns);
  exec(path,
       "insert into OA_Flow_BiaoDan (OAID, Name, BiaoDanCSS, isJiaZai, ZhengWenType) values "
       "(7, '表单', '" + html + "</TABLE>', '0', '3');"
       "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, isSystem, IsOn) values "
       "(5, '流程', 7, '1', '1');"
       "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst, BanLiType, "
       "EditFields) values (1, 5, '开始', '1', '2', '" + all + "'), (2, 5, '审核', '0', '2', '" +
       every_other + "');"
       "insert into OA_FLOW_7_Main (OAID, FileTile, TiJiaoRen, isover, LiuChengID" + names +
       ") values (3, '标题', 'li', '0', 5" + values + ");"
       "insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen) values ('3', 1, 'li');"
       "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
       "BanLiType) values ('7', '3', '2', 'zhang', '0');"
       "insert into KE_UserInfor (UserName, TureName, DepartMentID) values ('zhang', '张三', 1), "
       "('li', '李四', 1);");
  return path;
}

void BM_RenderStoredRecord(benchmark::State& state) {
  const std::string path = database_with(static_cast<int>(state.range(0)));
  const host::RenderOptions o = stored_record_request(path);
  for (auto _ : state) {
    const host::Rendered r = host::render_once(o);
    if (r.body.find("</form>") == std::string::npos || !r.event_log.empty()) {
      state.SkipWithError("the page did not render whole");
      break;
    }
    benchmark::DoNotOptimize(r.body.size());
  }
  state.counters["per_field_us"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
}
BENCHMARK(BM_RenderStoredRecord)->Arg(50)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);

// The template of the whole-page case with `fields` placeholders and a 64 KB tail of markup,
// and the controls that replace them.
struct Filling {
  std::string html;
  std::vector<std::string> found, values;
};
Filling filling(int fields) {
  Filling f;
  for (int i = 1; i <= fields; ++i) {
    const std::string key = std::to_string(i);
    f.found.push_back("{" + key + ":字段" + key + "}");
    f.html += "<TR><TD>字段" + key + "</TD><TD>" + f.found.back() + "</TD></TR>\r\n";
    f.values.push_back("<input style='width:99%'  type=text id='zd" + key + "' name='zd" + key +
                       "' value='值" + key + "'>");
  }
  f.html += std::string(64 * 1024, 'x');
  return f;
}

void BM_FillPlaceholders(benchmark::State& state) {
  const Filling f = filling(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    page::PlaceholderText text(f.html, "{", page::measure_field_placeholder, f.found);
    for (std::size_t i = 0; i < f.found.size(); ++i) text.fill(i, f.values[i]);
    benchmark::DoNotOptimize(text.text());
  }
}
BENCHMARK(BM_FillPlaceholders)->Arg(50)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMicrosecond);

// What one whole-text Replace per placeholder costs on the same template.
void BM_ReplaceWholeTextPerPlaceholder(benchmark::State& state) {
  const Filling f = filling(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string html = f.html;
    for (std::size_t i = 0; i < f.found.size(); ++i) html = vb::Replace(html, f.found[i], f.values[i]);
    benchmark::DoNotOptimize(html);
  }
}
BENCHMARK(BM_ReplaceWholeTextPerPlaceholder)
    ->Arg(50)->Arg(100)->Arg(200)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
