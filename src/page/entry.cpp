// I_init, the page body: the library set-up, then the phases of the page in the order they write.
#include "page/head.h"
#include "page/qmflobiaodantianx.h"

namespace page {

void qmflobiaodantianx::I_init() {
  fetch_intrinsic_objects();
  state_.ctx.top_routine("I_init", [&] {
    state_.ctx.bumenlists = "";
    qmdb_connI_init();
    qmqmfunctionI_init();
    qmincfunctionwindI_init();
    qmincfunctionzidiI_init();
    qmincfunctiondbI_init();

    head(state_);
  });
}

}  // namespace page
