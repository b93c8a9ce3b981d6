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
  // Writes one entry of the error type. Never raises: an entry that cannot be written is dropped.
  virtual void write_error(const std::string& text) = 0;
};

// Keeps entries in memory, in order, so a test can read back what a page logged.
class RecordingEventLog final : public EventLog {
 public:
  void write_error(const std::string& text) override;
  std::vector<std::string> entries() const;

 private:
  mutable std::mutex mu_;
  std::vector<std::string> entries_;
};

// The log configured by where: "" the system log (facility user, priority error, ident
// "flowform"); "-" standard error; anything else a file, created when missing, to which each
// entry is appended as one line. A file that cannot be opened raises VbError 75
// "Path/File access error".
std::shared_ptr<EventLog> open_event_log(const std::string& where);

}  // namespace platform::eventlog
