// The configuration component: the database connection string that the host was configured
// with, for the request set-up when the application has none cached.
#pragma once

#include <string>

#include "vb/variant.h"

namespace platform::config {

// Created by the request set-up, read once and released.
class ConfigComponent final : public vb::Object {
 public:
  ConfigComponent();

  // The connection string given on the host's command line, else the environment variable
  // FLOWFORM_CONNECT, else "".
  std::string ConnectString() const;

  // Host side, at start-up: the command line's connection string ("" when it gave none).
  static void set_command_line_connect(std::string connect_string);

  // How many components have been created in this process.
  static long created_for_test();

  std::string type_name() const override { return "ConfigComponent"; }
};

}  // namespace platform::config
