#include "platform/config/config.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace platform::config {
namespace {

class ConfigComponentTest : public testing::Test {
 protected:
  ~ConfigComponentTest() override {
    ConfigComponent::set_command_line_connect("");
    unsetenv("FLOWFORM_CONNECT");
  }
};

TEST_F(ConfigComponentTest, CommandLineFirstThenEnvironmentThenNothing) {
  unsetenv("FLOWFORM_CONNECT");
  EXPECT_EQ(ConfigComponent().ConnectString(), "");
  setenv("FLOWFORM_CONNECT", "Provider=SQLite;Data Source=env.db", 1);
  EXPECT_EQ(ConfigComponent().ConnectString(), "Provider=SQLite;Data Source=env.db");
  ConfigComponent::set_command_line_connect("Provider=SQLite;Data Source=cli.db");
  EXPECT_EQ(ConfigComponent().ConnectString(), "Provider=SQLite;Data Source=cli.db");
  ConfigComponent::set_command_line_connect("");
  EXPECT_EQ(ConfigComponent().ConnectString(), "Provider=SQLite;Data Source=env.db");
}

TEST_F(ConfigComponentTest, CountsEveryCreationButNotReads) {
  const long before = ConfigComponent::created_for_test();
  ConfigComponent component;
  component.ConnectString();
  component.ConnectString();
  EXPECT_EQ(ConfigComponent::created_for_test(), before + 1);
  auto held = std::make_shared<ConfigComponent>();
  EXPECT_EQ(ConfigComponent::created_for_test(), before + 2);
}

}  // namespace
}  // namespace platform::config
