// Request set-up run by every page before it writes anything of its own, with its counterpart
// closedb and the top-level routines of the other library files.
#pragma once

#include "library/page_context.h"

namespace library {

// Script time-out 99999, Expires 0, CodePage 936; opens ctx.conn (CommandTimeout 999) from the
// application's KELDBConnectString, or from the configuration component, whose value it then
// caches under the application lock; sets the session time-out from the first row of OA_AnQuan
// (45 when there is none, or it is null or not numeric); writes the login redirect script when
// the request is anonymous (the page stops after the set-up). A top-level routine: a failure is
// written and logged
// under "qmdb_connI_init" and the remaining steps are skipped; a page stop ends it quietly.
void qmdb_connI_init(PageContext& ctx);

// True when the session has no UserName ("" or missing), or there is no session: nobody is
// logged in. Such a request gets the login redirect and the set-up lines, and nothing more.
bool anonymous_request(const PageContext& ctx);
// The same test of one session, for the host that keeps them.
bool anonymous_session(const platform::asp::Session& session);

// Closes ctx.conn and clears it when it holds an object; else does nothing.
void closedb(PageContext& ctx);

// Sets departmentchildlists, parentlists, folderparentlists and reqtypechildlists to "" and
// writes three empty strings.
void qmqmfunctionI_init(PageContext& ctx);

// Top-level routines of the dictionary and look-up libraries: each writes one empty string.
void qmincfunctionzidiI_init(PageContext& ctx);
void qmincfunctiondbI_init(PageContext& ctx);

}  // namespace library
