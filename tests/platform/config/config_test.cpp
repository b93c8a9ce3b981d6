// ConfigComponent: where the connection string comes from.
#include "platform/config/config.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace platform::config {
namespace {

TEST(ConfigComponent, CommandLineFirstThenEnvironmentThenNothing) {
  unsetenv("FLOWFORM_CONNECT");
  EXPECT_EQ(ConfigComponent().ConnectString(), "");
  setenv("FLOWFORM_CONNECT", "Provider=SQLite;Data Source=env.db", 1);
  EXPECT_EQ(ConfigComponent().ConnectString(), "Provider=SQLite;Data Source=env.db");
  ConfigComponent::set_command_line_connect("Provider=SQLite;Data Source=cli.db");
  EXPECT_EQ(ConfigComponent().ConnectString(), "Provider=SQLite;Data Source=cli.db");
  ConfigComponent::set_command_line_connect("");
  EXPECT_EQ(ConfigComponent().ConnectString(), "Provider=SQLite;Data Source=env.db");
  unsetenv("FLOWFORM_CONNECT");
}

}  // namespace
}  // namespace platform::config
