// Notices, internal mail and e-mail: the notice rows other pages show, the mailbox with its
// to-do rows, and the five e-mail senders over the SMTP layer.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// Unless a member says otherwise, it runs under the error convention of PageContext::routine
// under its own name. Values go into SQL quoted (sql_text) and keys as whole numbers (sql_int).

// One OA_MSG row per recipient. users may separate recipients by ";", "," or "*"; empty
// entries are skipped and duplicates kept. The caller's users is left with every ";" and ","
// turned into "*". shijian is the current time as "yyyy-mm-dd hh:nn"; isDisplay and isView "0".
void myfunsendxinxi(PageContext& ctx, vb::Variant& users, const vb::Variant& outType,
                    const vb::Variant& msg, const vb::Variant& LinkText, const vb::Variant& url,
                    const vb::Variant& target, const vb::Variant& ID1, const vb::Variant& ID2);

// Internal mail from sender to the ";"-separated login names: a KE_Email row whose EmailTo is
// "*" & name & "-0-0-0*" per entry (empty entries too), an OA_DaiBan_Mail row and a notice per
// non-empty recipient. All or nothing (all_or_nothing in transactions.h): a failure leaves
// nothing written, inside a caller's transaction too. The
// caller's recipients are rewritten as myfunsendxinxi rewrites its users. ctx.sql is left
// holding the last statement.
void sendneibuyoujian(PageContext& ctx, const vb::Variant& sender, vb::Variant& recipients,
                      const vb::Variant& subject, const vb::Variant& content);

// The field `index` (0 the name, 1 to 3 the status fields) of the entry of user U in the
// EmailTo of mail `key`, names compared in any letter case; "" when the mail or the entry is
// missing. An index beyond the entry fails with 9.
vb::Variant getemailstatus(PageContext& ctx, const vb::Variant& key, const vb::Variant& U,
                           const vb::Variant& index);

// The senders. None reports a failed delivery to its caller: it is written to the event log.
// A sender never waits longer than platform::mail::limits() allow.

// One e-mail through the given server; nothing when server is Null or "". The body gets CR LF
// appended; HTML when the flag is True or its text is "true" in any case. toName is not used.
void sendemail(PageContext& ctx, const vb::Variant& server, const vb::Variant& from,
               const vb::Variant& fromName, const vb::Variant& to, const vb::Variant& toName,
               const vb::Variant& subject, const vb::Variant& body, const vb::Variant& isHTML);

// The following take the server, login and sender from the first SA_Smtp row and send nothing
// when there is none.

// An HTML e-mail to the non-empty ";"-separated addresses, priority 1. Skips every failing
// statement silently (a missing SA_Smtp table sends nothing and writes nothing).
void mysendmail(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
                const vb::Variant& recipients);
// An HTML e-mail to one recipient, priority 3.
void jmail(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
           const vb::Variant& recipient);
// An HTML e-mail to one recipient.
void cdonts(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
            const vb::Variant& recipient);
// A plain-text e-mail to one recipient.
void aspemail(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
              const vb::Variant& recipient);

}  // namespace library
