// Costs of the data-access layer on the paths every page takes: taking a pooled connection and
// running a one-row query whose statement is already prepared.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "platform/ado/tsql_dialect.h"

namespace {

using platform::ado::Connection;
using platform::ado::Recordset;

// A small users table in a scratch file, removed at exit; reached through the embedded driver,
// or through the SQLite ODBC driver when `odbc`.
const std::string& connect_string(bool odbc = false) {
  static const std::string path = "/tmp/ado_bench_" + std::to_string(getpid()) + ".db";
  static const std::string text = [] {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db,
                 "PRAGMA journal_mode=WAL;"
                 "CREATE TABLE KE_UserInfor(OAID INTEGER PRIMARY KEY AUTOINCREMENT,"
                 " UserName TEXT COLLATE NOCASE, TureName TEXT COLLATE NOCASE, DepartMentID INTEGER);"
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<200)"
                 " INSERT INTO KE_UserInfor(UserName, TureName, DepartMentID)"
                 " SELECT 'user' || i, '用户' || i, i % 7 FROM n;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::atexit([] {
      for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
    });
    return path;
  }();
  static const std::string embedded = "Provider=SQLite;Data Source=" + text;
  static const std::string through_odbc = "Driver=SQLite3;Database=" + text + ";Timeout=5000";
  return odbc ? through_odbc : embedded;
}

void BM_OpenPooledConnection(benchmark::State& state) {
  { Connection warm; warm.Open(connect_string()); }
  for (auto _ : state) {
    Connection conn;
    conn.Open(connect_string());
    conn.Close();
  }
}
BENCHMARK(BM_OpenPooledConnection);

// Arg 0: the embedded driver; 1: the same database through ODBC.
void BM_CachedOneRowQuery(benchmark::State& state) {
  state.SetLabel(state.range(0) ? "odbc" : "embedded");
  Connection conn;
  conn.Open(connect_string(state.range(0) != 0));
  Recordset rs;
  for (auto _ : state) {
    rs.Open("select * from KE_UserInfor where OAID=42", conn, 1, 3);
    benchmark::DoNotOptimize(rs("TureName").Value());
    rs.Close();
  }
}
BENCHMARK(BM_CachedOneRowQuery)->Arg(0)->Arg(1);

void BM_ExecuteTopQuery(benchmark::State& state) {
  Connection conn;
  conn.Open(connect_string());
  for (auto _ : state) {
    benchmark::DoNotOptimize(conn.Execute("select top 1 TureName from KE_UserInfor where OAID=7"));
  }
}
BENCHMARK(BM_ExecuteTopQuery);

void BM_TranslateTsql(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(platform::ado::translate_tsql(
        "Select * from  OA_DaiBan_LiuCheng where BiaoDanID='1' and BiaoDanRecordID='1'   and "
        "JieDianID='2' and BanLiRen='zhangsan' and  BanLiType<>'1'"));
  }
}
BENCHMARK(BM_TranslateTsql);

}  // namespace

BENCHMARK_MAIN();
