// The largest tree renderer, the outline of departments with their users, over a company of
// N departments (ten sub-departments a department) and 5N users, one in ten of them on line.
// Run for N = 5,000, 10,000 and 20,000: the time must grow linearly with N.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "library/page_context.h"
#include "library/trees.h"
#include "platform/ado/connection.h"
#include "platform/asp/response.h"
#include "platform/asp/session.h"
#include "platform/eventlog/event_log.h"
#include "schema/database.h"

namespace {

// The office database with N departments and 5N users in a scratch file, removed at exit.
std::string company(long departments) {
  static std::map<long, std::string> made;
  auto& connect = made[departments];
  if (!connect.empty()) return connect;
  const std::string path = "/tmp/library_trees_bench_" + std::to_string(getpid()) + "_" +
                           std::to_string(departments) + ".db";
  std::remove(path.c_str());
  schema::create_database(path, false);
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const std::string n = std::to_string(departments);
  const std::string sql =
      "BEGIN;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" +
      n +
      ")"
      " INSERT INTO KE_Department(DepartMentID, ParentID, DepartName)"
      " SELECT i, CASE WHEN i <= 10 THEN 0 ELSE (i - 1) / 10 END, '部门' || i FROM n;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<5*" +
      n +
      ")"
      " INSERT INTO KE_UserInfor(UserName, TureName, DepartMentID, IPAddress, AccountState,"
      " OrderNumber) SELECT 'user' || i, '用户' || i, 1 + (i - 1) % " +
      n +
      ", '10.0.0.' || (i % 250), '1', i FROM n;"
      "INSERT INTO KE_PersonOnline(UserName) SELECT UserName FROM KE_UserInfor WHERE OAID % 10 = 0;"
      "COMMIT;";
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::fprintf(stderr, "%s\n", error);
    std::abort();
  }
  sqlite3_close(db);
  static std::vector<std::string> files;
  if (files.empty()) {
    std::atexit([] {
      for (const auto& file : files) {
        for (const char* suffix : {"", "-wal", "-shm"}) std::remove((file + suffix).c_str());
      }
    });
  }
  files.push_back(path);
  connect = "Provider=SQLite;Data Source=" + path;
  return connect;
}

void BM_DepartmentOutline(benchmark::State& state) {
  auto conn = std::make_shared<platform::ado::Connection>();
  conn->Open(company(state.range(0)));
  std::size_t written = 0;
  for (auto _ : state) {
    library::PageContext ctx(std::make_shared<platform::eventlog::RecordingEventLog>());
    ctx.Response = std::make_shared<platform::asp::Response>();
    ctx.Session = std::make_shared<platform::asp::Session>();
    ctx.conn = vb::ObjectRef(conn);
    library::tabshowdepartmentchildandusername(ctx, 0, 0);
    written = ctx.Response->body().size();
    benchmark::DoNotOptimize(written);
  }
  state.counters["departments"] = static_cast<double>(state.range(0));
  state.counters["page_MB"] = static_cast<double>(written) / 1e6;
  state.counters["s_per_department"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DepartmentOutline)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
