// The e-mail senders: sendemail with its own server, and mysendmail, jmail, cdonts and aspemail
// with the account of the first SA_Smtp row. A delivery that fails goes to the event log.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "library/mail.h"
#include "platform/ado/recordset.h"
#include "platform/mail/smtp.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::mail::Message;

std::string text(const vb::Variant& v) { return v.is_null() ? std::string() : vb::CStr(v); }

// The server, login and sender of the first SA_Smtp row, or nothing when there is no row.
std::optional<Message> smtp_account(PageContext& ctx) {
  auto rs = std::make_shared<platform::ado::Recordset>();
  rs->Open("select * from SA_Smtp", ctx.conn, 1, 3);
  std::optional<Message> account;
  if (rs->RecordCount() > 0) {
    Message m;
    m.server = text((*rs)("SMTPIP")) + ":" + text((*rs)("SMTPPort"));
    m.user_name = text((*rs)("EUsername"));
    m.password = text((*rs)("EPassword"));
    m.from_address = text((*rs)("EmailAddress"));
    m.from_name = text((*rs)("SenderName"));
    account = std::move(m);
  }
  rs->Close();
  return account;
}

// Delivers, and writes a failure to the event log; the caller hears nothing of it.
void deliver_logged(PageContext& ctx, std::string_view sender, const Message& m) {
  const std::string failure = platform::mail::deliver(m);
  if (failure.empty()) return;
  std::string recipients;
  for (const std::string& r : m.recipients) recipients += (recipients.empty() ? "" : ";") + r;
  ctx.event_log().write_error(std::string(sender) + ": mail to " + recipients + " through " +
                              m.server + " not delivered: " + failure);
}

// jmail, cdonts and aspemail: one recipient, the account of SA_Smtp.
void send_one(PageContext& ctx, std::string_view name, const vb::Variant& subject,
              const vb::Variant& body, const vb::Variant& recipient, bool html, int priority) {
  ctx.routine(name, [&] {
    std::optional<Message> m = smtp_account(ctx);
    if (!m) return;
    m->subject = text(subject);
    m->body = text(body);
    m->html = html;
    m->priority = priority;
    m->recipients = {text(recipient)};
    deliver_logged(ctx, name, *m);
  });
}

}  // namespace

void sendemail(PageContext& ctx, const vb::Variant& server, const vb::Variant& from,
               const vb::Variant& fromName, const vb::Variant& to, const vb::Variant& /*toName*/,
               const vb::Variant& subject, const vb::Variant& body, const vb::Variant& isHTML) {
  ctx.routine("sendemail", [&] {
    if (server.is_null() || server == "") return;
    Message m;
    m.server = text(server);
    m.html = vb::LCase(vb::CStr(isHTML)) == "true" || isHTML == -1;
    m.from_address = text(from);
    m.from_name = text(fromName);
    m.recipients = {text(to)};
    m.subject = text(subject);
    m.body = text(body) + "\r\n";
    ctx.resume_next([&] { deliver_logged(ctx, "sendemail", m); });
  });
}

void mysendmail(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
                const vb::Variant& recipients) {
  std::optional<Message> m;
  ctx.resume_next([&] { m = smtp_account(ctx); });
  if (!m) return;
  ctx.resume_next([&] {
    m->subject = text(subject);
    m->body = text(body);
    m->priority = 1;
    const vb::Variant entries = vb::Split(recipients, ";");
    for (long i = 0; i <= vb::UBound(entries); ++i) {
      if (entries[i] != "") m->recipients.push_back(vb::CStr(entries[i]));
    }
  });
  ctx.resume_next([&] { deliver_logged(ctx, "mysendmail", *m); });
}

void jmail(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
           const vb::Variant& recipient) {
  send_one(ctx, "jmail", subject, body, recipient, true, 3);
}

void cdonts(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
            const vb::Variant& recipient) {
  send_one(ctx, "cdonts", subject, body, recipient, true, 0);
}

void aspemail(PageContext& ctx, const vb::Variant& subject, const vb::Variant& body,
              const vb::Variant& recipient) {
  send_one(ctx, "aspemail", subject, body, recipient, false, 0);
}

}  // namespace library
