// The demo's to-do page rendered through the embedded driver and through ODBC (the SQLite ODBC
// driver on the same file), to show what the ODBC layer costs a whole page; and what SQL
// Server receives through FreeTDS for the statements of a 500-field page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "form_with_fields.h"
#include "host/request_runner.h"
#include "platform/ado/driver.h"
#include "schema/database.h"
#include "stored_record_request.h"
#include "support/tds_listener.h"
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

// The statements of a warm page of the 500-field form, in order, as SQLite's ODBC driver traces
// them: the lines of a text up to the "-- took" line that follows each of its runs. The page is
// rendered twice; the second render is the warm one.
std::vector<std::string> warm_page_statements() {
  const std::string path = bench_forms::database_with(500), trace = path + ".trace";
  host::RenderOptions o = stored_record_request(path);
  o.connect = "Driver=SQLite3;Database=" + path + ";Timeout=5000;Tracefile=" + trace;
  host::render_once(o);
  std::ifstream cold(trace, std::ios::ate);
  const std::streamoff warm_start = cold.tellg();
  host::render_once(o);
  std::ifstream in(trace);
  in.seekg(warm_start);
  std::vector<std::string> statements;
  std::string text;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("-- took", 0) == 0) {
      statements.push_back(text);
      text.clear();
    } else if (line.rfind("-- ", 0) != 0) {
      text += (text.empty() ? "" : "\n") + line;
    } else {
      text.clear();
    }
  }
  for (const std::string& p : {path, path + "-wal", path + "-shm", trace}) std::remove(p.c_str());
  return statements;
}

// That page's statements through FreeTDS to the stand-in SQL Server, page after page on one
// session: what the server receives for page 1 (cold), 2 and 3 (warm).
void BM_FieldsPageRequests(benchmark::State& state) {
  static const std::vector<std::string> statements = warm_page_statements();
  const auto replay = [](platform::ado::DriverConnection& session) {
    for (const std::string& sql : statements) {
      platform::ado::ResultSet rows;
      session.execute(sql, rows, 30, vb::Here{});
    }
  };
  std::size_t requests = 0, prepares = 0;
  for (auto _ : state) {
    state.PauseTiming();
    test_support::TdsListener server;
    const auto session = platform::ado::connect(
        "Driver=FreeTDS;Server=127.0.0.1;Port=" + std::to_string(server.port()) + ";UID=sa;PWD=pw",
        vb::Here{});
    for (int page = 1; page < state.range(0); ++page) replay(*session);
    const std::size_t requests_before = server.requests().size();
    const std::size_t prepares_before = server.prepares();
    state.ResumeTiming();
    replay(*session);
    requests = server.requests().size() - requests_before;
    prepares = server.prepares() - prepares_before;
  }
  state.counters["statements"] = static_cast<double>(statements.size());
  state.counters["texts"] =
      static_cast<double>(std::set<std::string>(statements.begin(), statements.end()).size());
  state.counters["requests"] = static_cast<double>(requests);
  state.counters["prepares"] = static_cast<double>(prepares);
}
BENCHMARK(BM_FieldsPageRequests)->DenseRange(1, 3)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
