// flowform's command line: render, serve and demo.
#pragma once

#include <iosfwd>

namespace host {

// Parses the arguments (argv[0] is the program) and runs the command:
//   flowform render [--connect STR] [--query QS] [--form BODY] [--session K=V]...
//                   [--application K=V]... [--remote-addr A] [--now "YYYY-MM-DD hh:nn:ss"]
//                   [--session-out FILE] [--event-log FILE|-] [--output-encoding utf-8|cp936]
//   flowform serve  [--listen HOST:PORT] [--connect STR] [--site DIR] [--application K=V]...
//                   [--event-log FILE|-]
//   flowform demo   [--listen HOST:PORT] [--db PATH]
// --query and --form are URL-encoded UTF-8; without --event-log entries go to the system log.
// Returns the exit code: 0 when the command ran (a page that stopped or wrote an error
// included; --help too), 2 for bad arguments (message on err), 1 when serving or writing the
// session file failed. render writes the page body to out; serve and demo run until killed.
int run_cli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace host
