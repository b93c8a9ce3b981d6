// What a connection holds of the process's memory and of the kernel's, through real sockets: a
// chunked body's framing, the buffer a large head leaves, answers their clients do not take.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "host/limits_support.h"

namespace host {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const std::string kChunkedHead =
    "POST /flow/BiaoDanTianXie.asp HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n\r\n";

// Sends `start`, then `endless` bytes a piece at a time, 8 MiB in all or until the server stops
// taking them; returns the answer.
TestAnswer send_without_end(TestConnection& c, const std::string& start) {
  c.send(start);
  const std::string piece(64 * 1024, 'e');
  for (int i = 0; i < 128 && c.send(piece); ++i) {
  }
  return c.read_answer();
}

// A chunk's size line or trailers that never end get 400 once they pass a few KB, before the
// process grows by 16 MB; what a line holds counts in the body budget; ended framing, hostile
// text in its extensions and trailers included, is read as it comes.
TEST(ChunkedFraming, ASizeLineOrTrailersWithoutEndGet400AndCountInTheBudget) {
  ServerHarness harness(echo_page());
  [[maybe_unused]] const std::size_t before = resident_bytes();
  for (const std::string& start : {kChunkedHead + "1;", kChunkedHead + "1\r\nx\r\n0\r\nX-T: "}) {
    TestConnection c(harness.port());
    const TestAnswer answer = send_without_end(c, start);
    EXPECT_EQ(answer.status, 400) << start;
    EXPECT_EQ(answer.header("Connection"), "close");
  }
#if !defined(__SANITIZE_ADDRESS__)  // its allocator keeps what it frees in quarantine
  EXPECT_LT(resident_bytes(), before + 16 * 1024 * 1024) << "before " << before;
#endif

  TestConnection ended(harness.port());
  ended.send(kChunkedHead + "3;n=\"<&'</script\"\r\nzd=\r\n2;x=\"<!--<script\"\r\n&a\r\n" +
             "0\r\nX-T: </script\r\nX-U: \"&<\r\n\r\n");
  EXPECT_EQ(ended.read_answer().body, "zd:0a:0");

  ServerHarness small(echo_page({.body_memory = 4000}));
  TestConnection line(small.port());  // 3,000 bytes of a line: over an address's 1,000
  line.send(kChunkedHead + "1;" + std::string(3000, 'e'));
  EXPECT_EQ(line.read_answer().body,
            "Service Unavailable: request bodies in flight from one address exceed 1000 bytes");
}

// 1,024 connections that each sent a head of 60 KB, all at once, and stay open hold a small
// buffer each, and once they close, what they held goes back to the system.
TEST(LargeHeads, AConnectionGivesBackWhatItsHeadTook) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
  ServerHarness harness(echo_page());
  // Not the page: no session is kept for it.
  const std::string request = http_request("GET", "/x", {{"X-Large", std::string(60000, 'h')}});
  const auto open_all = [&] {
    std::vector<std::unique_ptr<TestConnection>> idle;
    for (int i = 0; i < 1024; ++i) {
      const std::string from = "127.0.0." + std::to_string(2 + i % 32);
      idle.push_back(std::make_unique<TestConnection>(harness.port(), from.c_str()));
      idle.back()->send(request);
    }
    for (auto& c : idle) EXPECT_EQ(c->read_answer().status, 404);
    return idle;
  };
  // A first round sets up the threads' heaps; what it left is trimmed here, not by the server.
  open_all();
  malloc_trim(0);
  const std::size_t before = resident_bytes();
  auto idle = open_all();
  EXPECT_TRUE(resident_falls_below(before + 16 * 1024 * 1024))
      << "idle: before " << before << ", now " << resident_bytes();
  idle.clear();
  EXPECT_TRUE(resident_falls_below(before + 2 * 1024 * 1024))
      << "closed: before " << before << ", now " << resident_bytes();
}

// The bytes of the answer to a GET of `path` read 64 KB each 10 ms, until the server closes the
// connection or `expected` bytes came.
std::size_t read_slowly(int port, const std::string& path, std::size_t expected) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{.sin_family = AF_INET,
                      .sin_port = htons(static_cast<uint16_t>(port)),
                      .sin_addr = {htonl(INADDR_LOOPBACK)},
                      .sin_zero = {}};
  std::size_t got = 0;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string request = http_request("GET", path);
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::vector<char> piece(64 * 1024);
    for (ssize_t n = 1; n > 0 && got < expected; got += static_cast<std::size_t>(n)) {
      std::this_thread::sleep_for(10ms);
      n = recv(fd, piece.data(), piece.size(), 0);
      if (n < 0) break;
    }
  }
  close(fd);
  return got;
}

// A site folder of its own for one test, removed after it.
struct TempSite {
  fs::path folder = fs::path(testing::TempDir()) / ("flowform_answers_" + std::to_string(getpid()));
  TempSite() { fs::create_directories(folder); }
  ~TempSite() { fs::remove_all(folder); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
};

// Clients that read nothing of a 4 MB site file hold no copy of it and are cut once the
// minimum rate's grace is over (what their kernel took buys minutes at the rate), long before
// the time-out for the next piece of the answer; a
// client that reads gets the file's bytes as they are, slowly too.
TEST(SlowReaders, AnAnswerNobodyTakesIsCutByTheRateAndHoldsNoCopy) {
  TempSite site;
  const std::string hostile = "<&'\"</script<!--<script\r\n";
  std::string big;
  while (big.size() < 4 * 1024 * 1024) big += hostile;
  site.write("big.js", big);
  ServeOptions o = echo_page({.min_rate = 1000, .rate_grace = 300ms, .body_timeout = 120s});
  o.settings.site_folder = site.folder.string();
  o.serve_static_files = true;
  ServerHarness harness(std::move(o));

  EXPECT_EQ(harness.get("/big.js").body, big);
  EXPECT_GT(read_slowly(harness.port(), "/big.js", big.size()), big.size());  // the head too
  [[maybe_unused]] const std::size_t before = allocated_bytes();
  std::vector<std::unique_ptr<TestConnection>> readers;
  for (int i = 0; i < 32; ++i) {
    readers.push_back(std::make_unique<TestConnection>(harness.port()));
    readers.back()->send(http_request("GET", "/big.js"));
  }
  for (auto& reader : readers) EXPECT_TRUE(reader->waiting_within(10s));  // answers under way
#if !defined(__SANITIZE_ADDRESS__)  // its allocator keeps no heap statistics
  EXPECT_LT(allocated_bytes(), before + 32 * 1024 * 1024) << "before " << before;
#endif
  for (auto& reader : readers) ASSERT_TRUE(reader->reset_within(30s));
}

}  // namespace
}  // namespace host
