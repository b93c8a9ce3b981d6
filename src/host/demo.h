// The demo command: the demo database served on this machine with a demo user's session, so a
// newcomer sees real pages at once.
#pragma once

#include <iosfwd>
#include <string>

#include "host/http_server.h"

namespace host {

struct DemoCommand {
  Listen listen;                        // must be a loopback address
  std::string db = "demo/flowform.db";  // created with the demo rows when missing
};

// True for "localhost", 127.0.0.0/8 and ::1.
bool is_loopback(const std::string& host);

// The demo's to-do record: "/flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2".
std::string demo_page_path();

// Creates the database (and its folder) when missing, saying so on out; points the
// configuration component at it; and returns the options of a server on command.listen whose
// new sessions start as the login pages leave them for the demo user (UserName, TureName,
// DepartMentID, _DeptName, SystemURL "/"), with the event log on standard error.
// Raises vb::VbError when the database cannot be created.
ServeOptions prepare_demo(const DemoCommand& command, std::ostream& out);

// Refuses (exit code 2, message on err) a host that is not a loopback address; then serves
// prepare_demo's options, printing the address of demo_page_path to out. Returns 1 (message on
// err) when the database cannot be created, else as HttpServer::serve does.
int run_demo(const DemoCommand& command, std::ostream& out, std::ostream& err);

}  // namespace host
