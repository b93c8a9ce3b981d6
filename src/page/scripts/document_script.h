// The client scripts that drive the office document control, for a form whose body is an
// office document.
#pragma once

#include "page/page_state.h"

namespace page {

// Only when ZhengWenType is "1": writes the JavaScript block of the control's five empty event
// handlers and the VBScript block with ToNext, the working event handlers, Load(),
// SaveDocumentDB() and SaveDocumentZanCun(). OCX_TAOHONG_AUTOVS types one bookmark per index 1
// to UBound of BookMarkNames / BookMarkValues; Load() gives OPTION "LOADVERSION" when FileID is
// not "" (else "LOADFILE") and then "LOADMOBAN" for a new flow whose form loads a template
// (isJiaZai "1"). Page values go into the script strings escaped for VBScript.
void write_document_script(PageState& p);

}  // namespace page
