// The render command.
#include "host/render.h"

#include <fstream>
#include <ostream>

#include "host/session_dump.h"
#include "vb/codepage.h"

namespace host {

int run_render(const RenderCommand& command, std::ostream& out, std::ostream& err) {
  Rendered rendered = render_once(command.options);
  const std::string body = command.cp936_output ? vb::to_cp936(rendered.body) : rendered.body;
  out.write(body.data(), static_cast<std::streamsize>(body.size()));
  out.flush();
  if (command.session_out.empty()) return 0;

  std::ofstream file(command.session_out, std::ios::binary | std::ios::trunc);
  file << dump_session(*rendered.session);
  file.close();
  if (!file) {
    err << "flowform: cannot write the session to " << command.session_out << "\n";
    return 1;
  }
  return 0;
}

}  // namespace host
