// The SMTP client: message composition in code page 936 and delivery over libcurl.
#include "platform/mail/smtp.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>

#include "vb/codepage.h"

namespace platform::mail {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kBase64[n >> 18];
    out += kBase64[(n >> 12) & 63];
    out += kBase64[(n >> 6) & 63];
    out += kBase64[n & 63];
  }
  if (i < bytes.size()) {
    const bool two = i + 1 < bytes.size();
    const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 |
                       (two ? static_cast<unsigned char>(bytes[i + 1]) << 8 : 0);
    out += kBase64[n >> 18];
    out += kBase64[(n >> 12) & 63];
    out += two ? kBase64[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

// Base64 in lines of 76 characters, for a message body.
std::string base64_lines(std::string_view bytes) {
  const std::string flat = base64(bytes);
  std::string out;
  for (size_t at = 0; at < flat.size(); at += 76) {
    out.append(flat, at, 76).append("\r\n");
  }
  return out;
}

bool plain_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f;
  });
}

// A header text as an encoded word: gb2312 when the code page holds every character, else UTF-8,
// so no character of a subject or name is lost.
std::string header_text(std::string_view text) {
  if (plain_ascii(text)) return std::string(text);
  const std::string bytes = vb::to_cp936(text);
  if (vb::from_cp936(bytes) == text) return "=?gb2312?B?" + base64(bytes) + "?=";
  return "=?UTF-8?B?" + base64(text) + "?=";
}

// Strips what could end a header line or an address early.
std::string header_safe(std::string_view text) {
  std::string out(text);
  std::replace_if(
      out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

std::string mailbox(std::string_view name, std::string_view address) {
  const std::string at = "<" + header_safe(address) + ">";
  return name.empty() ? at : header_text(header_safe(name)) + " " + at;
}

std::string rfc2822_now() {
  char text[64];
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&now, &parts);
  std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S +0000", &parts);
  return text;
}

struct Upload {
  std::string_view data;
};

size_t read_chunk(char* buffer, size_t size, size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const size_t n = std::min(size * count, upload->data.size());
  std::memcpy(buffer, upload->data.data(), n);
  upload->data.remove_prefix(n);
  return n;
}

// The host and the port of a delivery: "host:port" in the server text, or the message's port.
std::string smtp_url(const Message& m) {
  std::string host = m.server;
  int port = 25;
  const auto colon = host.rfind(':');
  if (colon != std::string::npos && host.find(':') == colon) {
    port = std::atoi(host.c_str() + colon + 1);
    host.erase(colon);
  }
  if (m.port != 0) port = m.port;
  if (port <= 0) port = 25;
  return "smtp://" + host + ":" + std::to_string(port);
}

}  // namespace

Limits& limits() {
  static Limits value;
  return value;
}

std::string& ca_file() {
  static std::string value;
  return value;
}

std::string compose(const Message& m, const std::string& date) {
  std::string to;
  for (const std::string& r : m.recipients) {
    if (!to.empty()) to += ", ";
    to += "<" + header_safe(r) + ">";
  }
  std::string out;
  out += "Date: " + date + "\r\n";
  out += "From: " + mailbox(m.from_name, m.from_address) + "\r\n";
  out += "To: " + to + "\r\n";
  out += "Subject: " + header_text(header_safe(m.subject)) + "\r\n";
  if (m.priority > 0) out += "X-Priority: " + std::to_string(m.priority) + "\r\n";
  out += "MIME-Version: 1.0\r\n";
  out += std::string("Content-Type: ") + (m.html ? "text/html" : "text/plain") +
         "; charset=gb2312\r\n";
  out += "Content-Transfer-Encoding: base64\r\n\r\n";
  out += base64_lines(vb::to_cp936(m.body));
  return out;
}

std::string deliver(const Message& m) {
  if (m.recipients.empty()) return "no recipient";
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return "cannot start the mail client";

  const std::string text = compose(m, rfc2822_now());
  Upload upload{text};
  curl_slist* recipients = nullptr;
  for (const std::string& r : m.recipients) {
    recipients = curl_slist_append(recipients, ("<" + header_safe(r) + ">").c_str());
  }
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> recipients_owner(recipients,
                                                                               curl_slist_free_all);
  const std::string url = smtp_url(m);
  const std::string from = "<" + header_safe(m.from_address) + ">";
  char error[CURL_ERROR_SIZE] = "";

  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(c, CURLOPT_READFUNCTION, read_chunk);
  curl_easy_setopt(c, CURLOPT_READDATA, &upload);
  curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits().connect_seconds);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, limits().total_seconds);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
  if (!ca_file().empty()) curl_easy_setopt(c, CURLOPT_CAINFO, ca_file().c_str());
  if (!m.user_name.empty()) {
    curl_easy_setopt(c, CURLOPT_USERNAME, m.user_name.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, m.password.c_str());
  }
  const CURLcode code = curl_easy_perform(c);
  if (code == CURLE_OK) return {};
  std::string reason = curl_easy_strerror(code);
  if (error[0] != '\0') reason += std::string(": ") + error;
  if (code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CACERT_BADFILE) {
    reason += ca_file().empty() ? " (checked against the system's certificate authorities)"
                                : " (checked against the authorities in " + ca_file() + ")";
  }
  return reason;
}

}  // namespace platform::mail
