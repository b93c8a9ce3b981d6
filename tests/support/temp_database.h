// A fresh office database for a test: the schema's tables without demo rows in a temporary
// file, with the rows a case adds; shared by the library, page and host tests.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <string>

#include "schema/database.h"

namespace test_support {

// The file and its journals are removed with the object.
class TempDatabase {
 public:
  TempDatabase() : path_(unique_path()) { schema::create_database(path_, false); }
  ~TempDatabase() {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
      std::filesystem::remove(path_ + suffix);
    }
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& path() const { return path_; }
  std::string connect() const { return "Provider=SQLite;Data Source=" + path_; }

  // Runs SQLite statements as they stand; a failure fails the test with SQLite's message.
  void exec(const std::string& sql) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(db, 5000);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << error << "\n" << sql;
  }

  // The first column of the first row of a query, as text ("" for none or NULL).
  std::string scalar(const std::string& sql) const {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    std::string value;
    if (sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0) != nullptr) {
      value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
  }

 private:
  static std::string unique_path() {
    static std::atomic<int> counter{0};
    // The random part keeps a file left by a killed run under a reused process id out of the way.
    return testing::TempDir() + "flowform_test_" + std::to_string(getpid()) + "_" +
           std::to_string(++counter) + "_" + std::to_string(std::random_device()()) + ".db";
  }

  std::string path_;
};

}  // namespace test_support
