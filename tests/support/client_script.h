// Checks that the JavaScript a page writes inline parses, with Node.js's syntax check: the page
// sends it as text, so a broken quote or brace would only show in the user's browser.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>

namespace test_support {

// Every inline <script language=javascript> block of `html` (any letter case, no src), joined.
inline std::string inline_javascript(const std::string& html) {
  static const std::regex kBlock(R"(<script language="?javascript"?>([\s\S]*?)</script>)",
                                 std::regex::icase);
  std::string code;
  for (std::sregex_iterator it(html.begin(), html.end(), kBlock), end; it != end; ++it) {
    code += (*it)[1].str() + "\n";
  }
  return code;
}

// Fails the test unless `node --check` accepts the inline JavaScript of `html`, which must have
// some.
inline void expect_javascript_parses(const std::string& html) {
  const std::string code = inline_javascript(html);
  ASSERT_FALSE(code.empty()) << "no inline script in the page";
  char path[] = "/tmp/flowform-script-XXXXXX.js";
  const int fd = mkstemps(path, 3);
  ASSERT_NE(fd, -1);
  close(fd);
  std::ofstream(path, std::ios::binary) << code;
  const std::string command = std::string("node --check ") + path + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string diagnostics;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) diagnostics += buffer;
  const int status = pclose(pipe);
  std::remove(path);
  EXPECT_EQ(status, 0) << diagnostics << code;
}

}  // namespace test_support
