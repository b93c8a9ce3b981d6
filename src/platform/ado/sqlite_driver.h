// The SQLite driver: the office database as a local file.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/driver.h"

namespace platform::ado {

// Opens an existing database file (a missing file is not created) in WAL mode, so readers
// never wait for a writer. The writers of this process to one file take turns in order of
// arrival; a lock held by another process is polled, yielding, for up to 5 seconds. Prepared
// statements are kept per session (the 64 most recently used, by the SQL text as the page
// wrote it). A pooled session looks at most once a second whether its file was replaced.
// -2147467259 with SQLite's message when the file cannot be opened or is not a database.
std::unique_ptr<DriverConnection> open_sqlite(const std::string& path, vb::Here where);

}  // namespace platform::ado
