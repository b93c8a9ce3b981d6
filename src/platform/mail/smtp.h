// SMTP delivery of one HTML message through libcurl: the mail layer behind the office system's
// mail senders.
#pragma once

#include <string>
#include <vector>

namespace platform::mail {

// One message as the senders describe it. Text is UTF-8; it leaves in code page 936 ("gb2312"),
// with the subject and names as encoded words and the body base64-encoded.
struct Message {
  std::string server;  // host name or address; "host:port" is taken apart, the port defaults to 25
  int port = 0;        // overrides a port in `server` when not 0
  std::string user_name, password;  // SMTP login, used when user_name is not empty
  std::string from_address, from_name;
  std::vector<std::string> recipients;  // addresses as given, in order
  std::string subject;
  std::string body;
  bool html = true;  // the body's content type: text/html, else text/plain
  int priority = 0;  // X-Priority 1 (high) to 5 (low); 0 writes none
};

// How long a delivery may wait: for the connection, and for the whole exchange.
struct Limits {
  long connect_seconds = 10;
  long total_seconds = 60;
};

// The limits every delivery uses; the host may change them before it serves (not while
// requests run).
Limits& limits();

// The file of PEM certificates of the authorities that vouch for a server's STARTTLS
// certificate (an internal or self-signed one); "" trusts the system's store. The certificate
// is always verified. Set by the host before it serves (not while requests run).
std::string& ca_file();

// The message as it goes over the wire: headers and base64 body, CR LF line ends. `date` is the
// Date header's value.
std::string compose(const Message& message, const std::string& date);

// Delivers the message: STARTTLS when the server offers it, login when a user name is given.
// Returns the empty text on success, else the reason ("cannot connect: ...", the server's
// refusal; for a certificate that does not verify, which authorities it was checked against). Never raises; never waits longer than limits() allow.
std::string deliver(const Message& message);

}  // namespace platform::mail
