// The event log sinks: system log, a stream (a file or standard error) and the recorder.
#include "platform/eventlog/event_log.h"

#include <syslog.h>

#include <cstdio>

#include "vb/error.h"

namespace platform::eventlog {
namespace {

class SyslogEventLog final : public EventLog {
 public:
  SyslogEventLog() { openlog("flowform", LOG_PID, LOG_USER); }

 private:
  void write_line(const std::string& line) override {
    syslog(LOG_USER | LOG_ERR, "%s", line.c_str());
  }
};

// One entry a line, flushed at once so the entry survives a crash of the process.
class StreamEventLog final : public EventLog {
 public:
  StreamEventLog(std::FILE* stream, bool owned) : stream_(stream), owned_(owned) {}
  ~StreamEventLog() override {
    if (owned_) std::fclose(stream_);
  }
  StreamEventLog(const StreamEventLog&) = delete;
  StreamEventLog& operator=(const StreamEventLog&) = delete;

 private:
  void write_line(const std::string& line) override {
    std::lock_guard lock(mu_);
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fputc('\n', stream_);
    std::fflush(stream_);
  }

  std::mutex mu_;
  std::FILE* stream_;
  bool owned_;
};

}  // namespace

void EventLog::write_error(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += ' ';
    } else {
      line += text[i];
    }
  }
  write_line(line);
}

void RecordingEventLog::write_line(const std::string& line) {
  std::lock_guard lock(mu_);
  entries_.push_back(line);
}

std::vector<std::string> RecordingEventLog::entries() const {
  std::lock_guard lock(mu_);
  return entries_;
}

std::shared_ptr<EventLog> open_event_log(const std::string& where) {
  if (where.empty()) return std::make_shared<SyslogEventLog>();
  if (where == "-") return std::make_shared<StreamEventLog>(stderr, false);
  std::FILE* file = std::fopen(where.c_str(), "a");
  if (file == nullptr) throw vb::VbError(75, "Path/File access error", 0);
  return std::make_shared<StreamEventLog>(file, true);
}

}  // namespace platform::eventlog
