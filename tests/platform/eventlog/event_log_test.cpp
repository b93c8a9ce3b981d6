#include "platform/eventlog/event_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "vb/error.h"

namespace platform::eventlog {
namespace {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class EventLogFileTest : public testing::Test {
 protected:
  EventLogFileTest()
      : path_(std::filesystem::temp_directory_path() /
              ("flowform_event_log_" + std::to_string(::getpid()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name() + ".log")) {
    std::filesystem::remove(path_);
  }
  ~EventLogFileTest() override { std::filesystem::remove(path_); }
  std::filesystem::path path_;
};

TEST_F(EventLogFileTest, AppendsOneLinePerEntryAfterWhatIsThere) {
  std::ofstream(path_) << "earlier\n";
  auto log = open_event_log(path_.string());
  log->write_error("13 Type mismatch LINE #120 Routine : qmflobiaodantianx.getbumenlists");
  log->write_error("中文 描述");
  EXPECT_EQ(read_file(path_),
            "earlier\n13 Type mismatch LINE #120 Routine : qmflobiaodantianx.getbumenlists\n"
            "中文 描述\n");
}

TEST_F(EventLogFileTest, EntriesAreOnDiskAtOnceAndSurviveReopening) {
  auto first = open_event_log(path_.string());
  first->write_error("one");
  EXPECT_EQ(read_file(path_), "one\n");
  auto second = open_event_log(path_.string());
  second->write_error("two");
  first.reset();
  EXPECT_EQ(read_file(path_), "one\ntwo\n");
}

TEST_F(EventLogFileTest, ConcurrentWritersNeverInterleaveWithinALine) {
  auto log = open_event_log(path_.string());
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 100; ++i) log->write_error(std::string(200, static_cast<char>('a' + t)));
    });
  }
  for (auto& t : threads) t.join();
  std::istringstream lines(read_file(path_));
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    ASSERT_EQ(line.size(), 200u);
    EXPECT_EQ(line.find_first_not_of(line[0]), std::string::npos);
  }
  EXPECT_EQ(count, 400);
}

TEST(EventLogOpen, AFileThatCannotBeOpenedRaises75) {
  try {
    open_event_log("/nonexistent-folder-of-flowform/x.log");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), 75);
    EXPECT_EQ(e.description(), "Path/File access error");
  }
}

TEST(EventLogOpen, EmptyMeansTheSystemLogAndDashStandardError) {
  // Both must accept entries without raising; where they land is the system's business.
  open_event_log("")->write_error("flowform event log test entry");
  testing::internal::CaptureStderr();
  open_event_log("-")->write_error("to stderr");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr\n");
}

TEST(RecordingEventLog, KeepsEntriesInOrder) {
  RecordingEventLog log;
  EXPECT_TRUE(log.entries().empty());
  log.write_error("a");
  log.write_error("b");
  EXPECT_EQ(log.entries(), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace platform::eventlog
