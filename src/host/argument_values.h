// The values of the command line's options that CLI11 cannot check alone.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/serve_options.h"
#include "vb/variant.h"

namespace host {

// "YYYY-MM-DD hh:nn:ss" (two digits each but the year, 24-hour clock) as a date; nullopt for
// any other form or a day that does not exist (2011-02-30).
std::optional<vb::Date> parse_fixed_now(const std::string& text);

// "HOST:PORT" ("[::1]:8080" for an IPv6 address) with a port from 0 to 65535; nullopt else.
std::optional<Listen> parse_listen(const std::string& text);

// "KEY=VALUE" items as keys with String values, split at the first "="; the caller has checked
// that each item has a key.
std::vector<std::pair<std::string, vb::Variant>> parse_key_values(
    const std::vector<std::string>& items);

}  // namespace host
