// The render command: one request run from the command line, its body printed as it is.
#pragma once

#include <iosfwd>
#include <string>

#include "host/request_runner.h"

namespace host {

struct RenderCommand {
  RenderOptions options;      // the request, its session and application values, the event log
  std::string session_out;    // file for the session after the request; "" none
  bool cp936_output = false;  // print the body in code page 936 instead of UTF-8
};

// Runs the request and writes exactly its body to out, nothing added. Then writes the session
// (dump_session) to session_out when one is given. Returns 0 when the page ran, 1 (message on
// err) when the session file cannot be written.
int run_render(const RenderCommand& command, std::ostream& out, std::ostream& err);

}  // namespace host
