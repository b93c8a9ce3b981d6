// Builds a database file from the embedded schema scripts.
#include "schema/database.h"

#include <filesystem>
#include <system_error>

#include "schema/schema.h"
#include "schema/sqlite_script.h"
#include "vb/error.h"

namespace schema {
namespace {

constexpr long kFileAlreadyExists = 58;

bool holds_demo_rows(std::string_view file_name) { return file_name >= "50_"; }

// A database's companion files; a stale write-ahead log beside a new file would be replayed
// into it.
void remove_companions(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path + "-wal", ignored);
  std::filesystem::remove(path + "-shm", ignored);
  std::filesystem::remove(path + "-journal", ignored);
}


// Removes a half-built file unless the build got to the end.
class BuildingFile {
 public:
  explicit BuildingFile(std::string path) : path_(std::move(path)) { remove(); }
  ~BuildingFile() {
    if (!done_) remove();
  }
  BuildingFile(const BuildingFile&) = delete;
  BuildingFile& operator=(const BuildingFile&) = delete;
  const std::string& path() const { return path_; }
  void done() { done_ = true; }

 private:
  void remove() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    remove_companions(path_);
  }
  std::string path_;
  bool done_ = false;
};

}  // namespace

void create_database(const std::string& path, bool with_demo_rows, bool replace_existing) {
  if (!replace_existing && std::filesystem::exists(path)) {
    throw vb::VbError(kFileAlreadyExists, "File already exists: " + path, 0L);
  }
  BuildingFile building(path + ".building");
  {
    SqliteScript db(building.path(), true);
    db.run("BEGIN");
    for (const SqlFile& file : files()) {
      if (with_demo_rows || !holds_demo_rows(file.name)) db.run(std::string(file.text));
    }
    db.run("COMMIT");
    db.run("PRAGMA journal_mode=WAL");
  }
  remove_companions(path);
  std::error_code error;
  std::filesystem::rename(building.path(), path, error);
  if (error) throw vb::VbError(kDatabaseFailed, error.message(), 0L);
  building.done();
}

}  // namespace schema
