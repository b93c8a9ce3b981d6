// Every demo page and a stored record of forms of 50 and 500 fields against their SQL floor.
// In one process: each page through the host's request runner, and the statements it makes
// SQLite run (captured from one warm render, repeats answered from the request's earlier rows
// included) prepared once and stepped through the SQLite C API in one read transaction with
// every column read, all of them and each distinct one once; each on 1 and 8 threads. Prints
// page / floor per request, the allocations per request (C++ and SQLite's own) and the
// statements prepared per warm page. Then 64 threads start the privileged demo model 100 times
// each and the copies are checked.
// Build in Release: cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DFLOWFORM_BENCH=ON
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "form_with_fields.h"
#include "host/request_runner.h"
#include "host/url_values.h"
#include "platform/ado/sqlite_driver.h"
#include "platform/ado/tsql_dialect.h"
#include "schema/database.h"
#include "support/allocation_counter.h"

namespace {

std::atomic<long> sqlite_allocations{0};

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

void remove_database(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
}

// The demo database in a scratch file.
const std::string& demo_path() {
  static const std::string path = [] {
    std::string p = "/tmp/page_floor_bench_" + std::to_string(getpid()) + ".db";
    schema::create_database(p, true, true);
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

host::RequestInput request(const std::string& query) {
  host::RequestInput input;
  input.query_string = host::parse_urlencoded(query, host::Charset::utf8);
  input.server_variables = {{"REMOTE_ADDR", "127.0.0.1"}};
  return input;
}

// One page as the benchmarks render it, and the statements it makes SQLite run.
struct PageCase {
  std::string name;
  std::string database;
  host::RequestInput input;
  std::vector<std::pair<std::string, vb::Variant>> session_values;
  int fields = 0;  // of the form, for the forms built for the benchmark
  std::vector<std::string> statements;

  std::shared_ptr<platform::asp::Application> application() const {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<platform::asp::Application>> by_database;
    std::lock_guard lock(mutex);
    auto& app = by_database[database];
    if (!app) {
      app = std::make_shared<platform::asp::Application>();
      app->set("KELDBConnectString", vb::Variant("Provider=SQLite;Data Source=" + database));
    }
    return app;
  }
  std::shared_ptr<platform::asp::Session> session() const {
    auto s = std::make_shared<platform::asp::Session>();
    for (const auto& [key, value] : session_values) (*s)[key] = value;
    return s;
  }
  host::PageResponse render(const std::shared_ptr<platform::asp::Session>& s) const {
    return host::run_request(settings(), application(), s, input);
  }
};

std::vector<std::pair<std::string, vb::Variant>> demo_user() {
  return {{"UserName", schema::demo::kUserName},
          {"TureName", schema::demo::kTureName},
          {"DepartMentID", vb::Variant(schema::demo::kDepartmentID)},
          {"_DeptName", schema::demo::kDeptName},
          {"SystemURL", "/"}};
}

std::vector<PageCase>& cases() {
  static std::vector<PageCase> all = [] {
    std::vector<PageCase> out;
    for (const auto& [name, query] : std::vector<std::pair<const char*, const char*>>{
             {"todo", "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2"},
             {"modify", "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2&BanLiID=1"},
             {"new_flow", "LiuChengID=1"},
             {"privileged_new_flow", "LiuChengID=2"},
             {"start", "isStart=true&LiuChengID=1"},
             {"no_keys", ""},
             {"bad_key", "BiaoDanID=1x&BiaoDanRecordID=1&JieDianID=2"}}) {
      out.push_back({name, demo_path(), request(query), demo_user(), 0, {}});
    }
    for (int fields : {50, 500}) {
      out.push_back({"form_" + std::to_string(fields), bench_forms::database_with(fields),
                     request("BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2"),
                     {{"UserName", "zhang"}, {"TureName", "张三"}, {"DepartMentID", "1"}},
                     fields,
                     {}});
    }
    return out;
  }();
  return all;
}

// The statements SQLite runs for one warm page, in order, with their literals, and the reads
// answered from the request's earlier rows (translated as SQLite would have run them);
// transaction control left out.
std::mutex captured_mutex;
std::atomic<std::vector<std::string>*> capturing{nullptr};

void capture(std::string sql) {
  for (const char* control : {"BEGIN", "COMMIT", "ROLLBACK"}) {
    if (sql.rfind(control, 0) == 0) return;
  }
  std::lock_guard lock(captured_mutex);
  if (std::vector<std::string>* into = capturing.load()) into->push_back(std::move(sql));
}

int on_trace(unsigned, void*, void* statement, void*) {
  if (capturing.load(std::memory_order_relaxed) == nullptr) return 0;
  char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
  if (expanded != nullptr) capture(expanded);
  sqlite3_free(expanded);
  return 0;
}

void on_answer(std::string_view sql) {
  if (capturing.load(std::memory_order_relaxed) != nullptr) capture(platform::ado::translate_tsql(sql));
}

int trace_new_connection(sqlite3* db, char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, on_trace, nullptr);
  return SQLITE_OK;
}

void capture_statements() {
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(trace_new_connection));
  platform::ado::observe_read_answers(on_answer);
  for (PageCase& c : cases()) {
    auto session = c.session();
    c.render(session);  // warms the pool
    capturing = &c.statements;
    c.render(session);
    capturing = nullptr;
  }
}

void BM_Page(benchmark::State& state, const PageCase& c) {
  auto session = c.session();
  c.render(session);
  long allocations = 0;
  const long sqlite_before = sqlite_allocations.load();
  const long prepares_before = platform::ado::sqlite_prepares();
  for (auto _ : state) {
    const long before = test_support::allocations;
    benchmark::DoNotOptimize(c.render(session));
    allocations += test_support::allocations - before;
  }
  state.counters["cxx_allocs/req"] = benchmark::Counter(static_cast<double>(allocations),
                                                        benchmark::Counter::kAvgIterations);
  if (state.thread_index() == 0) {
    const double requests = static_cast<double>(state.iterations() * state.threads());
    state.counters["sqlite_allocs/req"] =
        static_cast<double>(sqlite_allocations.load() - sqlite_before) / requests;
    state.counters["prepares/req"] =
        static_cast<double>(platform::ado::sqlite_prepares() - prepares_before) / requests;
    state.counters["statements"] = static_cast<double>(c.statements.size());
  }
}

// Reads every column of the row `s` stands on once, as the page's recordsets would.
void read_columns(sqlite3_stmt* s) {
  const int n = sqlite3_column_count(s);
  for (int i = 0; i < n; ++i) {
    switch (sqlite3_column_type(s, i)) {
      case SQLITE_INTEGER:
        benchmark::DoNotOptimize(sqlite3_column_int64(s, i));
        break;
      case SQLITE_FLOAT:
        benchmark::DoNotOptimize(sqlite3_column_double(s, i));
        break;
      case SQLITE_NULL:
        break;
      default:
        benchmark::DoNotOptimize(sqlite3_column_blob(s, i));
        benchmark::DoNotOptimize(sqlite3_column_bytes(s, i));
    }
  }
}

// Runs `statements` on `database`, prepared once on a connection of its own, each stepped to its end with
// every column read: the reads in one read transaction, ended before each write as the page's
// are.
void run_floor(benchmark::State& state, const std::vector<std::string>& statements,
               const std::string& database) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_busy_timeout(db, 5000);
  std::map<std::string, sqlite3_stmt*> by_text;
  std::vector<sqlite3_stmt*> prepared;
  for (const std::string& sql : statements) {
    sqlite3_stmt*& s = by_text[sql];
    if (s == nullptr) sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (s != nullptr) prepared.push_back(s);
  }
  sqlite3_stmt *begin = nullptr, *commit = nullptr;
  sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr);
  sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr);
  const long sqlite_before = sqlite_allocations.load();
  for (auto _ : state) {
    bool reading = false;
    for (sqlite3_stmt* s : prepared) {
      const bool read = sqlite3_stmt_readonly(s);
      if (read != reading) {
        sqlite3_step(read ? begin : commit);
        sqlite3_reset(read ? begin : commit);
        reading = read;
      }
      while (sqlite3_step(s) == SQLITE_ROW) read_columns(s);
      sqlite3_reset(s);
    }
    if (reading) sqlite3_step(commit), sqlite3_reset(commit);
  }
  if (state.thread_index() == 0) {
    state.counters["statements"] = static_cast<double>(prepared.size());
    state.counters["sqlite_allocs/req"] =
        static_cast<double>(sqlite_allocations.load() - sqlite_before) /
        static_cast<double>(state.iterations() * state.threads());
  }
  for (auto& [text, s] : by_text) sqlite3_finalize(s);
  sqlite3_finalize(begin);
  sqlite3_finalize(commit);
  sqlite3_close(db);
}

std::vector<std::string> distinct(const std::vector<std::string>& statements) {
  std::set<std::string> seen;
  std::vector<std::string> out;
  for (const std::string& sql : statements) {
    if (seen.insert(sql).second) out.push_back(sql);
  }
  return out;
}

// 64 threads each start a flow on the privileged demo model 100 times; every start must make a
// complete copy and no page may end on a lock error.
void BM_PrivilegedStarts64x100(benchmark::State& state) {
  constexpr int kThreads = 64, kStarts = 100;
  const PageCase start{"start", demo_path(), request("LiuChengID=2"), demo_user(), 0, {}};
  for (auto _ : state) {
    std::atomic<long> lock_errors{0}, failed_pages{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&] {
        auto session = start.session();
        for (int i = 0; i < kStarts; ++i) {
          const std::string body = start.render(session).body;
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

// Keeps the time per iteration and the allocations of each run and prints, per page and thread
// count, page / floor and page / distinct floor, and the allocations against the floor's.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      Figures& f = figures_[run.benchmark_name()];
      f.time = run.GetAdjustedRealTime();
      for (const char* counter : {"cxx_allocs/req", "sqlite_allocs/req"}) {
        if (const auto it = run.counters.find(counter); it != run.counters.end()) {
          f.allocations += it->second.value;
        }
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const PageCase& c : cases()) {
      for (const char* threads : {"threads:1", "threads:8"}) {
        const std::string suffix = "/" + c.name + "/real_time/" + threads;
        const auto page = figures_.find("BM_Page" + suffix);
        const auto floor = figures_.find("BM_Floor" + suffix);
        const auto once = figures_.find("BM_FloorDistinct" + suffix);
        if (page == figures_.end() || floor == figures_.end() || once == figures_.end()) continue;
        std::printf("%-20s %s: page %8.1f us, page/floor %.2f, page/distinct floor %.2f, "
                    "allocations page/floor %.2f",
                    c.name.c_str(), threads, page->second.time / 1000, page->second.time / floor->second.time,
                    page->second.time / once->second.time,
                    page->second.allocations / std::max(1.0, floor->second.allocations));
        if (c.fields > 0) std::printf(", per field %.1f us", page->second.time / 1000 / c.fields);
        std::printf("\n");
      }
    }
  }

 private:
  struct Figures {
    double time = 0, allocations = 0;
  };
  std::map<std::string, Figures> figures_;
};

}  // namespace

int main(int argc, char** argv) {
  count_sqlite_allocations();
  benchmark::Initialize(&argc, argv);
  capture_statements();
  for (const PageCase& c : cases()) {
    std::printf("%s makes SQLite run %zu statements (%zu distinct)\n", c.name.c_str(),
                c.statements.size(), distinct(c.statements).size());
    benchmark::RegisterBenchmark(("BM_Page/" + c.name).c_str(), BM_Page, c)
        ->Threads(1)->Threads(8)->UseRealTime();
    const std::vector<std::string> all = c.statements, once = distinct(c.statements);
    const std::string database = c.database;
    for (const auto& [label, list] : {std::pair{"BM_Floor/", all}, std::pair{"BM_FloorDistinct/", once}}) {
      benchmark::RegisterBenchmark((label + c.name).c_str(),
                                   [list, database](benchmark::State& state) {
                                     run_floor(state, list, database);
                                   })
          ->Threads(1)->Threads(8)->UseRealTime();
    }
  }
  benchmark::RegisterBenchmark("BM_PrivilegedStarts64x100", BM_PrivilegedStarts64x100)
      ->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  for (const PageCase& c : cases()) {
    if (c.fields > 0) remove_database(c.database);
  }
  remove_database(demo_path());
}
