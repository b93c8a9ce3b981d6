// The page stop raised by the page body after its last message.
#include "page/page_stop.h"

#include <string>

#include "platform/asp/response.h"
#include "vb/error.h"

namespace page {

void stop_page(PageState& state, std::string_view message) {
  state.ctx.Response->write(message);
  throw vb::VbError(vb::kPageStop, "");
}

}  // namespace page
