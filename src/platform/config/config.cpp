// The configuration component: the command line's connection string, else the environment's.
#include "platform/config/config.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace platform::config {
namespace {

std::atomic<long> created{0};
std::mutex command_line_mu;
std::string command_line_connect;

}  // namespace

ConfigComponent::ConfigComponent() { ++created; }

std::string ConfigComponent::ConnectString() const {
  {
    std::lock_guard lock(command_line_mu);
    if (!command_line_connect.empty()) return command_line_connect;
  }
  const char* env = std::getenv("FLOWFORM_CONNECT");
  return env == nullptr ? std::string() : std::string(env);
}

void ConfigComponent::set_command_line_connect(std::string connect_string) {
  std::lock_guard lock(command_line_mu);
  command_line_connect = std::move(connect_string);
}

long ConfigComponent::created_for_test() { return created.load(); }

}  // namespace platform::config
