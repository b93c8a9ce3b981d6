// The ado tests' fixture: a scratch SQLite file per test, built with plain SQL, and an open
// Connection to it.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/ado/ado_error.h"
#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace platform::ado::testing {

// OA_Log starts empty; KE_Department holds 总公司, 办公室, 财务部 (keys 1 to 3).
inline constexpr const char* kSchema = R"sql(
CREATE TABLE OA_Log(OAID INTEGER PRIMARY KEY AUTOINCREMENT, LogType TEXT COLLATE NOCASE,
  Remark TEXT, LogTime TEXT);
CREATE TABLE KE_Department(DepartMentID INTEGER PRIMARY KEY AUTOINCREMENT,
  ParentID INTEGER, DepartName TEXT COLLATE NOCASE, OrderNumber INTEGER);
INSERT INTO KE_Department(ParentID, DepartName, OrderNumber) VALUES
  (0, '总公司', 1), (1, '办公室', 2), (1, '财务部', 3);
CREATE TABLE OA_MSG(OAID INTEGER PRIMARY KEY AUTOINCREMENT, userName TEXT COLLATE NOCASE,
  msg TEXT, shijian TEXT, isView TEXT COLLATE NOCASE DEFAULT '0', ID1 TEXT, ID2 TEXT);
CREATE TABLE Mapping(OAID INTEGER PRIMARY KEY, Small INTEGER, Big INTEGER, Real REAL,
  Txt TEXT, Stamp TEXT, Bytes BLOB, Missing TEXT, Dated DATETIME);
INSERT INTO Mapping VALUES(1, -7, 3000000000, 2.5, '张三', '2011-09-02 14:07:05', x'00ff41', NULL,
  '2011-09-02 14:07:05'), (2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
CREATE TABLE Stored(OAID INTEGER PRIMARY KEY AUTOINCREMENT, v);
CREATE TABLE Strict(OAID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT NOT NULL);
CREATE TABLE NoKey(Name TEXT);
INSERT INTO NoKey VALUES('a');
)sql";

class ScratchDatabase {
 public:
  explicit ScratchDatabase(const std::string& ddl) {
    static std::atomic<int> counter{0};
    path_ = ::testing::TempDir() + "ado_" + std::to_string(getpid()) + "_" +
            std::to_string(counter++) + ".db";
    replace_with(ddl);
  }
  ~ScratchDatabase() { remove_files(); }
  ScratchDatabase(const ScratchDatabase&) = delete;
  ScratchDatabase& operator=(const ScratchDatabase&) = delete;

  // Deletes the file and builds a new one at the same path.
  void replace_with(const std::string& ddl) {
    remove_files();
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    char* error = nullptr;
    if (sqlite3_exec(db, ddl.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      ADD_FAILURE() << "scratch schema: " << error;
      sqlite3_free(error);
    }
    sqlite3_close(db);
  }

  const std::string& path() const { return path_; }
  std::string connect_string() const { return "Provider=SQLite;Data Source=" + path_; }
  // The same database through the SQLite ODBC driver.
  std::string odbc_connect_string() const {
    return "Driver=SQLite3;Database=" + path_ + ";Timeout=5000";
  }

 private:
  void remove_files() {
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path_ + suffix).c_str());
  }
  std::string path_;
};

// The number of rows that `from_where` ("T where ...") selects, read through `on`.
inline long rows_in(Connection& on, const std::string& from_where) {
  Recordset count;
  count.Open("select count(*) from " + from_where, on);
  return vb::CLng(count(0).Value());
}

// Every row of `sql`, its columns joined by "|", the rows by ";".
inline std::string rows_of(Connection& conn, const std::string& sql) {
  Recordset rs;
  rs.Open(sql, conn);
  std::string out;
  for (; !rs.EOF_(); rs.MoveNext()) {
    if (!out.empty()) out += ';';
    for (long i = 0; i < rs.Fields().Count(); ++i) {
      const vb::Variant v = rs(i).Value();
      out += (i > 0 ? "|" : "") + (v.is_null() ? std::string("NULL") : vb::CStr(v));
    }
  }
  return out;
}

// The two drivers every behavioural test runs on: the embedded one and ODBC (through the
// SQLite ODBC driver, on the same kind of file).
enum class Driver { kEmbedded, kOdbc };

inline void PrintTo(Driver driver, std::ostream* os) {
  *os << (driver == Driver::kEmbedded ? "Embedded" : "Odbc");
}
inline std::string driver_name(const ::testing::TestParamInfo<Driver>& info) {
  return ::testing::PrintToString(info.param);
}

class AdoTest : public ::testing::Test {
 protected:
  explicit AdoTest(Driver driver = Driver::kEmbedded) : driver_(driver) {
    conn.Open(connect_string());
  }

  bool odbc() const { return driver_ == Driver::kOdbc; }
  std::string connect_string() const {
    return odbc() ? db.odbc_connect_string() : db.connect_string();
  }

  // The number of rows that `from_where` ("T where ...") selects.
  long count_rows(const std::string& from_where) { return rows_in(conn, from_where); }

  ScratchDatabase db{kSchema};
  Connection conn;
  Recordset rs;

 private:
  Driver driver_;
};

// The behavioural tests, run once on each driver.
class DriverTest : public AdoTest, public ::testing::WithParamInterface<Driver> {
 protected:
  DriverTest() : AdoTest(GetParam()) {}
};

// The error `statement` raises; a test failure (and error 0) when it raises none.
template <class F>
vb::VbError raised_by(F&& statement) {
  try {
    statement();
  } catch (const vb::VbError& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return vb::VbError(0, "", 0L);
}

}  // namespace platform::ado::testing

// Expects the statement to raise `expected_number` with `expected_text`, reported at the line
// the statement is written on.
#define EXPECT_ADO_ERROR_HERE(expected_number, expected_text, ...)                    \
  do {                                                                                \
    const long line_ = __LINE__;                                                      \
    const vb::VbError e_ = ::platform::ado::testing::raised_by([&] { __VA_ARGS__; }); \
    EXPECT_EQ(e_.number(), expected_number) << #__VA_ARGS__;                          \
    EXPECT_EQ(e_.description(), expected_text) << #__VA_ARGS__;                       \
    EXPECT_EQ(e_.line(), line_) << #__VA_ARGS__;                                      \
  } while (0)
