// The event log's file, standard-error and system-log forms.
#include "platform/eventlog/event_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "support/vb_matchers.h"

namespace platform::eventlog {
namespace {

// A log file of the test's own name, removed before and after.
class EventLogFileTest : public testing::Test {
 protected:
  EventLogFileTest() { std::filesystem::remove(path_); }
  ~EventLogFileTest() override { std::filesystem::remove(path_); }

  std::string file_text() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  const std::string path_ = testing::TempDir() + "event_log_" + std::to_string(getpid()) + "_" +
                            testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(EventLogFileTest, AppendsOneLinePerEntryOnDiskAtOnceAcrossOpenings) {
  std::ofstream(path_) << "earlier\n";
  const std::string entry = "13 Type mismatch LINE #120 Routine : qmflobiaodantianx.getbumenlists";
  auto first = open_event_log(path_);
  first->write_error(entry);
  EXPECT_EQ(file_text(), "earlier\n" + entry + "\n");
  open_event_log(path_)->write_error("中文 描述");
  first->write_error("again");
  EXPECT_EQ(file_text(), "earlier\n" + entry + "\n中文 描述\nagain\n");
}

TEST_F(EventLogFileTest, LineBreaksInAnEntryBecomeBlanks) {
  auto log = open_event_log(path_);
  log->write_error("mail to a@x\r\n13 forged\rLINE #1\n\nRoutine");
  log->write_error("\r\n");
  EXPECT_EQ(file_text(), "mail to a@x 13 forged LINE #1  Routine\n \n");
}

TEST_F(EventLogFileTest, ConcurrentWritersNeverInterleaveWithinALine) {
  auto log = open_event_log(path_);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 100; ++i) log->write_error(std::string(200, static_cast<char>('a' + t)));
    });
  }
  for (auto& t : threads) t.join();
  std::istringstream lines(file_text());
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    ASSERT_EQ(line.size(), 200u);
    EXPECT_EQ(line.find_first_not_of(line[0]), std::string::npos);
  }
  EXPECT_EQ(count, 400);
}

TEST(EventLogOpen, AFileThatCannotBeOpenedRaises75EmptyAndDashNeedNoFile) {
  EXPECT_VB_ERROR_TEXT(75, "Path/File access error",
                       open_event_log("/nonexistent-folder-of-flowform/x.log"));
  // Empty means the system log and a dash standard error.
  open_event_log("")->write_error("flowform event log test entry");  // must not raise
  testing::internal::CaptureStderr();
  open_event_log("-")->write_error("to stderr");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr\n");
}

}  // namespace
}  // namespace platform::eventlog
