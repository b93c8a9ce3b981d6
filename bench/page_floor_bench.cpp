// The demo to-do page against its SQL floor. In one process: the whole page through the host's
// request runner, and the page's statements (captured from one render) prepared once and
// stepped through the SQLite C API, as written and as the page now runs them; each on 1 and 8
// threads. Prints the ratios page / floor per request and the allocations per request (C++ and
// SQLite's own). Then 64 threads start the privileged demo model 100 times each and the copies
// are checked.
// Build in Release: cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFLOWFORM_BENCH=ON
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "host/request_runner.h"
#include "schema/database.h"
#include "support/allocation_counter.h"

namespace {
std::atomic<long> sqlite_allocations{0};
}  // namespace

namespace {

// SQLite's allocations, counted through its pluggable allocator.
sqlite3_mem_methods sqlite_memory;
void* counted_sqlite_malloc(int size) {
  sqlite_allocations.fetch_add(1, std::memory_order_relaxed);
  return sqlite_memory.xMalloc(size);
}
void* counted_sqlite_realloc(void* p, int size) {
  sqlite_allocations.fetch_add(1, std::memory_order_relaxed);
  return sqlite_memory.xRealloc(p, size);
}
void count_sqlite_allocations() {
  sqlite3_config(SQLITE_CONFIG_GETMALLOC, &sqlite_memory);
  sqlite3_mem_methods counted = sqlite_memory;
  counted.xMalloc = counted_sqlite_malloc;
  counted.xRealloc = counted_sqlite_realloc;
  sqlite3_config(SQLITE_CONFIG_MALLOC, &counted);
}

// The demo database in a scratch file, removed at exit.
const std::string& demo_path() {
  static const std::string path = [] {
    std::string p = "/tmp/page_floor_bench_" + std::to_string(getpid()) + ".db";
    schema::create_database(p, true, true);
    std::atexit([] {
      for (const char* suffix : {"", "-wal", "-shm"}) std::remove((demo_path() + suffix).c_str());
    });
    return p;
  }();
  return path;
}

const host::HostSettings& settings() {
  static const host::HostSettings s = [] {
    host::HostSettings h;
    h.event_log = std::make_shared<platform::eventlog::RecordingEventLog>();
    return h;
  }();
  return s;
}

std::shared_ptr<platform::asp::Application> application() {
  static const auto app = [] {
    auto a = std::make_shared<platform::asp::Application>();
    a->set("KELDBConnectString", vb::Variant("Provider=SQLite;Data Source=" + demo_path()));
    return a;
  }();
  return app;
}

std::shared_ptr<platform::asp::Session> demo_session() {
  auto session = std::make_shared<platform::asp::Session>();
  (*session)["UserName"] = schema::demo::kUserName;
  (*session)["TureName"] = schema::demo::kTureName;
  (*session)["DepartMentID"] = vb::Variant(schema::demo::kDepartmentID);
  (*session)["_DeptName"] = schema::demo::kDeptName;
  (*session)["SystemURL"] = "/";
  return session;
}

host::RequestInput request(host::ValuePairs query) {
  host::RequestInput input;
  input.query_string = std::move(query);
  input.server_variables = {{"REMOTE_ADDR", "127.0.0.1"}};
  return input;
}

const host::RequestInput& todo_request() {
  static const host::RequestInput input =
      request({{"BiaoDanID", "1"}, {"BiaoDanRecordID", "1"}, {"JieDianID", "2"}});
  return input;
}

// The statements SQLite runs for one to-do page once the page is warm (transaction control
// left out), captured by tracing every connection the page opens.
std::mutex captured_mutex;
std::atomic<std::vector<std::string>*> capturing{nullptr};

int on_trace(unsigned, void*, void* statement, void*) {
  if (capturing.load(std::memory_order_relaxed) == nullptr) return 0;
  std::lock_guard lock(captured_mutex);
  const std::string sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
  for (const char* control : {"BEGIN", "COMMIT", "ROLLBACK"}) {
    if (sql == control) return 0;
  }
  capturing.load()->push_back(sql);
  return 0;
}

int trace_new_connection(sqlite3* db, char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, on_trace, nullptr);
  return SQLITE_OK;
}

const std::vector<std::string>& page_statements() {
  static const std::vector<std::string> statements = [] {
    std::vector<std::string> captured;
    auto session = demo_session();
    host::run_request(settings(), application(), session, todo_request());  // warms the pool
    capturing = &captured;
    host::run_request(settings(), application(), session, todo_request());
    capturing = nullptr;
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(trace_new_connection));
    return captured;
  }();
  return statements;
}

void BM_TodoPage(benchmark::State& state) {
  auto session = demo_session();
  host::run_request(settings(), application(), session, todo_request());
  long allocations = 0;
  const long sqlite_before = sqlite_allocations.load();
  for (auto _ : state) {
    const long before = test_support::allocations;
    benchmark::DoNotOptimize(host::run_request(settings(), application(), session, todo_request()));
    allocations += test_support::allocations - before;
  }
  state.counters["cxx_allocs/req"] = benchmark::Counter(static_cast<double>(allocations),
                                                        benchmark::Counter::kAvgIterations);
  if (state.thread_index() == 0) {
    state.counters["sqlite_allocs/req"] =
        static_cast<double>(sqlite_allocations.load() - sqlite_before) /
        static_cast<double>(state.iterations() * state.threads());
  }
}
BENCHMARK(BM_TodoPage)->Threads(1)->Threads(8)->UseRealTime();

// The page's statements as it writes them, translated for SQLite: those SQLite ran, with the
// existence query of the notice delete standing for the delete itself.
std::vector<std::string> statements_as_written() {
  std::vector<std::string> out;
  for (const std::string& sql : page_statements()) {
    const std::string probe = "SELECT 1 FROM ";
    if (sql.compare(0, probe.size(), probe) == 0 && sql.ends_with(" LIMIT 1")) {
      out.push_back("DELETE FROM " + sql.substr(probe.size(), sql.size() - probe.size() - 8));
    } else {
      out.push_back(sql);
    }
  }
  return out;
}

// Runs `statements`, prepared once on a connection of its own, each stepped to its end; in one
// read transaction when `one_read` and they all read.
void run_floor(benchmark::State& state, const std::vector<std::string>& statements, bool one_read) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(demo_path().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_busy_timeout(db, 5000);
  std::vector<sqlite3_stmt*> prepared;
  for (const std::string& sql : statements) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (s == nullptr) continue;
    one_read = one_read && sqlite3_stmt_readonly(s);
    prepared.push_back(s);
  }
  sqlite3_stmt *begin = nullptr, *commit = nullptr;
  sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr);
  sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr);
  const long sqlite_before = sqlite_allocations.load();
  for (auto _ : state) {
    if (one_read) sqlite3_step(begin), sqlite3_reset(begin);
    for (sqlite3_stmt* s : prepared) {
      while (sqlite3_step(s) == SQLITE_ROW) {
      }
      sqlite3_reset(s);
    }
    if (one_read) sqlite3_step(commit), sqlite3_reset(commit);
  }
  state.counters["statements"] =
      benchmark::Counter(static_cast<double>(prepared.size()), benchmark::Counter::kAvgThreads);
  if (state.thread_index() == 0) {
    state.counters["sqlite_allocs/req"] =
        static_cast<double>(sqlite_allocations.load() - sqlite_before) /
        static_cast<double>(state.iterations() * state.threads());
  }
  for (sqlite3_stmt* s : prepared) sqlite3_finalize(s);
  sqlite3_finalize(begin);
  sqlite3_finalize(commit);
  sqlite3_close(db);
}

// The floor as the page writes its statements: seven queries and the notice delete, each in
// its own transaction, as a program running them through the C API would.
void BM_SqlFloor(benchmark::State& state) { run_floor(state, statements_as_written(), false); }
BENCHMARK(BM_SqlFloor)->Threads(1)->Threads(8)->UseRealTime();

// The least SQLite can do for the page: the statements it now runs (the delete's existence
// query instead of the delete) in one read transaction.
void BM_SqlFloorOneRead(benchmark::State& state) { run_floor(state, page_statements(), true); }
BENCHMARK(BM_SqlFloorOneRead)->Threads(1)->Threads(8)->UseRealTime();

// 64 threads each start a flow on the privileged demo model 100 times; every start must make a
// complete copy and no page may end on a lock error.
void BM_PrivilegedStarts64x100(benchmark::State& state) {
  constexpr int kThreads = 64, kStarts = 100;
  const host::RequestInput start = request({{"LiuChengID", "2"}});
  for (auto _ : state) {
    std::atomic<long> lock_errors{0}, failed_pages{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&] {
        auto session = demo_session();
        for (int i = 0; i < kStarts; ++i) {
          const std::string body = host::run_request(settings(), application(), session, start).body;
          if (body.find("database is locked") != std::string::npos) ++lock_errors;
          if (body.find(" Error ") != std::string::npos) ++failed_pages;
        }
      });
    }
    for (std::thread& t : threads) t.join();
    state.counters["lock_errors"] = static_cast<double>(lock_errors);
    state.counters["failed_pages"] = static_cast<double>(failed_pages);
  }
  // Each copy: a header whose parentID is the model, with as many nodes and links as the first.
  sqlite3* db = nullptr;
  sqlite3_open(demo_path().c_str(), &db);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "select count(*), count(distinct n || ':' || c) from (select "
                     "(select count(*) from OA_Flow_Model_JieDian j where j.MOAID = h.OAID) n, "
                     "(select count(*) from OA_Flow_Model_JieDian_ConnectTiaoJian c "
                     "where c.MOAID = h.OAID) c from OA_Flow_Model_Header h where h.parentID = 2)",
                     -1, &s, nullptr);
  if (sqlite3_step(s) == SQLITE_ROW) {
    state.counters["copies"] = sqlite3_column_int(s, 0);
    state.counters["copy_shapes"] = sqlite3_column_int(s, 1);  // 1 when every copy is complete
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
}
BENCHMARK(BM_PrivilegedStarts64x100)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// Keeps the time per iteration of each run and prints page / floor at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* threads : {"threads:1", "threads:8"}) {
      const std::string suffix = std::string("/real_time/") + threads;
      const auto page = times_.find("BM_TodoPage" + suffix);
      for (const char* floor_name : {"BM_SqlFloor", "BM_SqlFloorOneRead"}) {
        const auto floor = times_.find(floor_name + suffix);
        if (page == times_.end() || floor == times_.end()) continue;
        std::printf("page / %s, %s: %.2f\n", floor_name, threads, page->second / floor->second);
      }
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  count_sqlite_allocations();
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(trace_new_connection));
  benchmark::Initialize(&argc, argv);
  page_statements();
  std::printf("the to-do page makes SQLite run %zu statements:\n", page_statements().size());
  for (const std::string& sql : page_statements()) std::printf("  %s\n", sql.c_str());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
