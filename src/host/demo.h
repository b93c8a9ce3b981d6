// The demo command: the demo database served on this machine with a demo user's session, so a
// newcomer sees real pages at once.
#pragma once

#include <iosfwd>
#include <string>

#include "host/http_server.h"

namespace host {

struct DemoCommand {
  Listen listen;                     // must be a loopback address
  std::string db = "demo/flowform.db";  // created with the demo rows when missing
};

// Refuses (exit code 2, message on err) a host that is not a loopback address; creates the
// database when missing; serves it, every new session starting with the demo user's values;
// prints the address of the demo's to-do record to out. Returns as HttpServer::serve does.
int run_demo(const DemoCommand& command, std::ostream& out, std::ostream& err);

// True for "localhost", 127.0.0.0/8 and ::1.
bool is_loopback(const std::string& host);

}  // namespace host
