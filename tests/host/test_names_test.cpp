// The name generator of the parameterised tests across tests/.
#include "support/test_names.h"

#include <gtest/gtest.h>

#include <vector>

namespace test_names {
namespace {

struct Case {
  std::vector<const char*> rows;
  const char* expected;
  bool flag;
};

template <class T>
std::string name_of(const T& param, std::size_t index) {
  return FirstValue()(::testing::TestParamInfo<T>(param, index));
}

TEST(TestNames, AreTheNumberAndTheFirstValueInLettersDigitsAndUnderscores) {
  EXPECT_EQ(name_of(std::pair{"isStart=True", true}, 1), "1_isStart_True");
  EXPECT_EQ(name_of(std::pair{"", true}, 4), "4");
  EXPECT_EQ(name_of(Case{{"'7', '3'", "x"}, "ignored", true}, 0), "0_7_3_x");
  EXPECT_EQ(name_of(std::pair{"开始 > B", 0}, 2), "2_B");
  EXPECT_EQ(name_of(std::pair{false, "x"}, 3), "3_false");
  EXPECT_EQ(name_of(42L, 5), "5_42");
  EXPECT_EQ(name_of(std::string(100, 'a'), 6), "6_" + std::string(60, 'a'));
}

}  // namespace
}  // namespace test_names
