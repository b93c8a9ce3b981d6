// The session as the command line writes it after a request (render --session-out).
#pragma once

#include <string>

#include "platform/asp/session.h"

namespace host {

// One "KEY=VALUE" line per value, sorted by key byte by byte, then "@CodePage=<n>" and
// "@TimeOut=<minutes>"; every line ends with "\n". Values are written as CStr gives them (True,
// False, 12, 2011-9-2), Empty as nothing, Null as "Null", an object or array as its type in
// brackets ("[Object]", "[Array]"). A backslash, CR or LF in a value is written as "\\", "\r",
// "\n", so that every value stays on its line.
std::string dump_session(const platform::asp::Session& session);

}  // namespace host
