// The command line's message for a database that cannot be opened or created.
#include "host/database_failure.h"

#include "platform/ado/connection_string.h"

namespace host {

void print_database_failure(std::ostream& err, std::string_view what, std::string_view place,
                            const vb::VbError& e) {
  err << "flowform: " << what << " " << platform::ado::masked_connection_string(place) << ": "
      << e.description() << "\n";
}

}  // namespace host
