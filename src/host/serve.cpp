// The serve command: checks the database, then runs the HTTP host until killed.
#include "host/serve.h"

#include <ostream>

#include "host/database_failure.h"
#include "host/http_server.h"
#include "platform/ado/connection.h"
#include "platform/config/config.h"

namespace host {

int run_serve(ServeCommand command, std::ostream& out, std::ostream& err) {
  if (command.connect.empty()) {
    err << "flowform: serve needs the database's connection string: give --connect or set "
           "FLOWFORM_CONNECT\n";
    return 2;
  }
  try {
    platform::ado::Connection connection;
    connection.Open(vb::Variant(command.connect));
    connection.Close();
  } catch (const vb::VbError& e) {
    print_database_failure(err, "cannot open the database", command.connect, e);
    return 1;
  }
  platform::config::ConfigComponent::set_command_line_connect(command.connect);
  const Listen listen = command.options.listen;
  HttpServer server(std::move(command.options));
  return server.serve(err, [&](int port) {
    out << "flowform: serving " << base_url(listen, port) << kPagePath << std::endl;
  });
}

}  // namespace host
