// The command line's message for a database that cannot be opened or created.
#pragma once

#include <ostream>
#include <string_view>

#include "vb/error.h"

namespace host {

// Writes "flowform: " what " " place ": " and the error's description, then a line end, to err.
// place is a connection string or a file: every password-like value in it shows as "***".
void print_database_failure(std::ostream& err, std::string_view what, std::string_view place,
                            const vb::VbError& e);

}  // namespace host
