// The application event log: one entry per handled failure, to syslog, a file or a recorder.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::eventlog {

// Receives error entries. One instance serves the process; safe to call from many request threads.
class EventLog {
 public:
  virtual ~EventLog() = default;
  // Writes one entry of the error type on one line: each line break in the text (CR LF, CR or
  // LF) becomes a blank, so no value can start a line of its own. Never raises: an entry that
  // cannot be written is dropped.
  void write_error(const std::string& text);

 private:
  // Writes the entry, which holds no line break.
  virtual void write_line(const std::string& line) = 0;
};

// Keeps entries in memory, in order, so a test can read back what a page logged.
class RecordingEventLog final : public EventLog {
 public:
  std::vector<std::string> entries() const;

 private:
  void write_line(const std::string& line) override;

  mutable std::mutex mu_;
  std::vector<std::string> entries_;
};

// The log configured by where: "" the system log (facility user, priority error, ident
// "flowform"); "-" standard error; anything else a file, created when missing, to which each
// entry is appended as one line. A file that cannot be opened raises VbError 75
// "Path/File access error".
std::shared_ptr<EventLog> open_event_log(const std::string& where);

}  // namespace platform::eventlog
