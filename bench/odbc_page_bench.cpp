// The demo's to-do page rendered through the embedded driver and through ODBC (the SQLite ODBC
// driver on the same file), to show what the ODBC layer costs a whole page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "host/request_runner.h"
#include "schema/database.h"
#include "vb/builtins.h"

namespace {

const std::string& demo_path() {
  static const std::string path = [] {
    const std::string p = "/tmp/odbc_page_bench_" + std::to_string(getpid()) + ".db";
    schema::create_database(p, true, true);
    std::atexit([] {
      for (const char* suffix : {"", "-wal", "-shm"}) std::remove((demo_path() + suffix).c_str());
    });
    return p;
  }();
  return path;
}

// Arg 0: the embedded driver; 1: ODBC.
void BM_DemoTodoPage(benchmark::State& state) {
  state.SetLabel(state.range(0) ? "odbc" : "embedded");
  host::RenderOptions o;
  o.connect = state.range(0) ? "Driver=SQLite3;Database=" + demo_path() + ";Timeout=5000"
                             : "Provider=SQLite;Data Source=" + demo_path();
  o.query = "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2";
  o.now = vb::CDate(vb::Variant("2011-09-02 09:05:07"));
  o.session_values = {{"UserName", schema::demo::kUserName},
                      {"TureName", schema::demo::kTureName},
                      {"DepartMentID", vb::Variant(schema::demo::kDepartmentID)},
                      {"SystemURL", "/"}};
  for (auto _ : state) benchmark::DoNotOptimize(host::render_once(o).body);
}
BENCHMARK(BM_DemoTodoPage)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
