// One user's session: Variant values by key with the CodePage and TimeOut properties. The host's
// session store owns it and lets one request of the session run at a time, so it takes no lock.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/asp/keys.h"
#include "vb/variant.h"

namespace platform::asp {

class Session final : public vb::Object {
 public:
  // The value under key (ASCII case ignored), created Empty when missing: use it to assign. The
  // first spelling of a key is the one items() lists.
  vb::Variant& operator[](std::string_view key);
  // The value under key, Empty when missing; never creates the key.
  vb::Variant get(std::string_view key) const;

  // Every key with its value, sorted by key byte by byte (for the host's session dump).
  std::vector<std::pair<std::string, vb::Variant>> items() const;

  // Code page of the session's text; the servers the system ran on used 936.
  long CodePage = 936;
  // Minutes of inactivity after which the host drops the session.
  long TimeOut = 20;

  std::string type_name() const override { return "Session"; }

 private:
  std::map<std::string, vb::Variant, KeyLess> values_;
};

}  // namespace platform::asp
