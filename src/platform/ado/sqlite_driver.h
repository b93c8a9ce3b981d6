// The SQLite driver: the office database as a local file.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/driver.h"

namespace platform::ado {

// Opens an existing database file (a missing file is not created) in WAL mode, so readers
// never wait for a writer, with a 5-second busy timeout, so concurrent writers queue instead of
// failing. Prepared statements are kept per session (the 64 most recently used, by SQL text).
// -2147467259 with SQLite's message when the file cannot be opened or is not a database.
std::unique_ptr<DriverConnection> open_sqlite(const std::string& path, vb::Here where);

}  // namespace platform::ado
