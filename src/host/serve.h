// The serve command: the page over HTTP on the office system's database.
#pragma once

#include <iosfwd>
#include <string>

#include "host/serve_options.h"

namespace host {

struct ServeCommand {
  ServeOptions options;
  // The connection string, from --connect or the FLOWFORM_CONNECT variable.
  std::string connect;
};

// Opens the database once, so that a missing or wrong connection string shows at start and
// not in every page: without one, exit code 2; when it cannot be opened, 1; each with a
// message on err. Then serves, printing the page's address to out; returns as
// HttpServer::serve does (1 with the system's reason when the port is in use).
int run_serve(ServeCommand command, std::ostream& out, std::ostream& err);

}  // namespace host
