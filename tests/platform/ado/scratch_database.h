// A scratch SQLite file per test, set up with plain SQL, and a helper to catch the error a
// statement raises.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "vb/error.h"

namespace platform::ado::testing {

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

 private:
  void remove_files() {
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path_ + suffix).c_str());
  }
  std::string path_;
};

// The error `statement` raises; a test failure (and an empty error) when it raises none.
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
