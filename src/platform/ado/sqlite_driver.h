// The SQLite driver: the office database as a local file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/driver.h"

namespace platform::ado {

// Opens an existing database file (a missing file is not created) in WAL mode, so readers
// never wait for a writer. The writers of this process to one file take turns in order of
// arrival; a lock held by another process is polled, yielding, for up to 5 seconds. Prepared
// statements are kept per session (the 512 most recently used, by the shape of the SQL text:
// its literals are bound as parameters, see sql_shape.h). Inside a request's read transaction a
// read whose text already ran gives the rows it gave, until the session writes, begins a
// transaction or the read transaction ends; a read calling the clock or a random function runs
// every time. A pooled session looks at most once a second whether its file was replaced.
// -2147467259 with SQLite's message when the file cannot be opened or is not a database.
std::unique_ptr<DriverConnection> open_sqlite(const std::string& path, vb::Here where);

// For measurements: how many statements this process's SQLite sessions have prepared so far
// (SQLite's own preparing again included), and a function called with the page's text of every read answered from a request's earlier
// rows (nullptr: none).
long sqlite_prepares();
void observe_read_answers(void (*observer)(std::string_view sql));

}  // namespace platform::ado
