// The shared body budget: its rules one charge at a time, then the slice kept for small bodies
// through real sockets.
#include "host/body_budget.h"

#include <gtest/gtest.h>

#include <optional>

#include "host/limits_support.h"

namespace host {
namespace {

constexpr std::size_t kBudget = 1024 * 1024;  // an address 256 KB; the last 128 KB kept
constexpr std::size_t kMB16 = 16 * 1024 * 1024;
const std::string kKept =
    "request bodies in flight exceed 917504 bytes, the rest kept for bodies up to 2048 bytes";
const std::string kKeptOfAddress =
    "request bodies in flight from one address exceed 8192 bytes of the rest kept for small "
    "bodies";

// With all but the kept slice taken by four addresses, a body is small by the length it
// announced, or, chunked, while it holds 2 KB at most; and one address's small bodies hold at
// most 8 KB of the slice.
TEST(BodyBudgetRules, TheKeptSliceIsForSmallBodiesAndEachAddressGetsAPartOfIt) {
  BodyBudget budget(kBudget);
  std::vector<BodyBudget::Body> large(4, BodyBudget::Body{kMB16, 0});
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(budget.take("10.0.0." + std::to_string(i), large[i], 224 * 1024), "");
  }
  struct Case {
    const char* what;
    const char* address;
    std::optional<std::size_t> announced;
    std::size_t first, then;  // bytes charged, one after the other
    std::string first_refused, then_refused;
  };
  const Case cases[] = {
      {"announced large, sends little", "10.0.1.1", kMB16, 2048, 0, kKept, ""},
      {"announced small", "10.0.1.2", 2048, 1024, 1024, "", ""},
      {"chunked, grows out of small", "10.0.1.3", std::nullopt, 2048, 1, "", kKept},
      {"announced larger than it sends", "10.0.1.4", 2049, 1, 0, kKept, ""},
  };
  for (const Case& c : cases) {
    BodyBudget::Body body{c.announced, 0};
    EXPECT_EQ(budget.take(c.address, body, c.first), c.first_refused) << c.what;
    if (c.then > 0) {
      EXPECT_EQ(budget.take(c.address, body, c.then), c.then_refused) << c.what;
    }
    budget.give_back(c.address, body);
    EXPECT_EQ(body.held, 0u) << c.what;
  }

  // Four small bodies of one address fill its part; a fifth waits for one of them.
  std::vector<BodyBudget::Body> small(5, BodyBudget::Body{2048, 0});
  for (int i = 0; i < 4; ++i) EXPECT_EQ(budget.take("10.0.2.1", small[i], 2048), "");
  EXPECT_EQ(budget.take("10.0.2.1", small[4], 1), kKeptOfAddress);
  EXPECT_EQ(budget.take("10.0.2.2", small[4], 2048), "");  // another address has its own part
  budget.give_back("10.0.2.1", small[0]);
  EXPECT_EQ(budget.take("10.0.2.1", small[0], 2048), "");

  // Out of the kept slice a large body from one of the four still takes its share's rest.
  budget.give_back("10.0.0.3", large[3]);
  BodyBudget::Body more{kMB16, 0};
  EXPECT_EQ(budget.take("10.0.0.2", more, 32 * 1024), "");
  EXPECT_EQ(budget.take("10.0.0.2", more, 1),
            "request bodies in flight from one address exceed 262144 bytes");
}

TEST(BodyBudgetRules, TheWholeIsKeptAndWhatIsGivenBackIsTakenAgain) {
  BodyBudget budget(32 * 1024);  // an address 8 KB; the last 4 KB kept for bodies of 64 bytes
  std::vector<BodyBudget::Body> large(4, BodyBudget::Body{std::nullopt, 0});
  for (int i = 0; i < 4; ++i) EXPECT_EQ(budget.take(std::to_string(i), large[i], 7 * 1024), "");
  std::vector<BodyBudget::Body> small(64, BodyBudget::Body{64, 0});
  for (int i = 0; i < 64; ++i)
    EXPECT_EQ(budget.take("s" + std::to_string(i / 4), small[i], 64), "");
  BodyBudget::Body one{1, 0};
  EXPECT_EQ(budget.take("t", one, 1), "request bodies in flight exceed 32768 bytes");
  for (int i = 0; i < 4; ++i) budget.give_back(std::to_string(i), large[i]);
  for (int i = 0; i < 64; ++i) budget.give_back("s" + std::to_string(i / 4), small[i]);
  BodyBudget::Body whole{std::nullopt, 0};
  EXPECT_EQ(budget.take("s0", whole, 8 * 1024), "");  // all given back: a full share again
}

// A server of 1 MB of bodies; 520 bodies from 260 addresses announce 16 MB and send 2 KB each:
// 448 of them fill all but the kept slice, the others are refused as their bytes come, and a
// 1 KB form post from another address gets its page.
TEST(BodyBudgetShare, BodiesThatAnnounceMuchGetNoneOfTheKeptSlice) {
  ServerHarness harness(echo_page({.body_memory = kBudget, .min_rate = 0}));
  std::vector<std::unique_ptr<TestConnection>> flood;
  for (int i = 0; i < 260; ++i) {
    const std::string from =
        "127.0." + std::to_string(1 + i / 200) + "." + std::to_string(1 + i % 200);
    for (auto& c : bodies_held(harness, from.c_str(), 2, kMB16, 2048))
      flood.push_back(std::move(c));
  }
  EXPECT_TRUE(refused_at_least(flood, 520 - 448, kKept));
  const std::string hostile = "zd=<\"'</script<!--<script\r\n";
  const std::string form = hostile + std::string(1024 - hostile.size(), 's');
  TestConnection post(harness.port(), "127.0.0.7");
  post.send(post_head(form.size()) + form);
  const TestAnswer answer = post.read_answer();
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.body, "zd:1021");
}

}  // namespace
}  // namespace host
