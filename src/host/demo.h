// The demo command: the demo database served on this machine with a demo user's session, so a
// newcomer sees real pages at once.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "host/http_server.h"

namespace host {

struct DemoCommand {
  Listen listen;                        // must be a loopback address
  std::string db = "demo/flowform.db";  // created with the demo rows when missing
  std::string site = "site";            // the site's files, served when the folder exists
};

// One page of the demo database that the demo user can open, and what it shows.
struct DemoPage {
  std::string what;  // e.g. "to-do 采购申请单 at 部门审核"
  std::string path;  // the page path and its query
};

// True for "localhost", 127.0.0.0/8 and ::1.
bool is_loopback(const std::string& host);

// The demo's to-do record: "/flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2".
std::string demo_page_path();

// The pages of the demo database for the demo user: each entry of the user's to-do list, each
// handling step of the user reopened while its record is in that list, and a new flow of each
// workflow model that is on.
std::vector<DemoPage> demo_pages(const std::string& db);

// Creates the database (and its folder) when missing, saying so on out; points the
// configuration component at it; and returns the options of a server on command.listen whose
// new sessions start as the login pages leave them for the demo user (UserName, TureName,
// DepartMentID, _DeptName, SystemURL "/"), with the event log on standard error.
// Raises vb::VbError when the database cannot be created.
ServeOptions prepare_demo(const DemoCommand& command, std::ostream& out);

// Refuses (exit code 2, message on err) a host that is not a loopback address; then serves
// prepare_demo's options, printing the address of demo_page_path to out. Returns 1 (message on
// err) when the database cannot be created, else as HttpServer::serve does. Serves the site
// folder's files when it exists, else says on out that they are missing; prints the address
// of each of demo_pages.
int run_demo(const DemoCommand& command, std::ostream& out, std::ostream& err);

}  // namespace host
