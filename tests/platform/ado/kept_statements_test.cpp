// Which texts an ODBC session keeps prepared, and how much it may keep.
#include "platform/ado/kept_statements.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::ado {
namespace {

// Each text is met twice and kept when allowed; the session holds what the bounds allow and
// never more: 8 MiB, some 17 KB a short text (so not the 4,096 statements), 22 texts of
// 60 KB, and no text longer than 64 KB (512 texts of 256 KB once held 266 MB).
TEST(KeptStatements, KeepsRepeatedTextsWithinItsBounds) {
  const struct {
    std::size_t length, texts, kept;
  } cases[] = {{100, 3000, 493}, {60000, 200, 22}, {256 * 1024, 20, 0}};
  for (const auto& c : cases) {
    KeptStatements<int> kept;
    for (std::size_t i = 0; i < c.texts; ++i) {
      std::string sql = std::to_string(i);
      sql.resize(c.length, ' ');
      ASSERT_FALSE(kept.worth_keeping(sql)) << "met once";
      if (kept.worth_keeping(sql)) kept.keep(sql, static_cast<int>(i));
      EXPECT_EQ(kept.find(sql) != nullptr, i < c.kept) << c.length << " " << i;
    }
    EXPECT_EQ(kept.size(), c.kept) << c.length;
    EXPECT_LE(kept.bytes(), KeptStatements<int>::kMaxKeptBytes) << c.length;
  }
}

}  // namespace
}  // namespace platform::ado
