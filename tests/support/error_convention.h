// Checks what the error convention leaves behind a handled failure: one event-log entry and
// the matching text in the page.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test_support {

// Expects exactly one handled failure: the entry "<number> <description> LINE #<n> Routine :
// qmflobiaodantianx.<routine>" and the page text " Error <description> LINE<n> Routine :
// qmflobiaodantianx.<routine>" with the same line n > 0, and nothing else written.
inline void expect_reported(const std::string& page, const std::vector<std::string>& entries,
                            long number, const std::string& description,
                            const std::string& routine) {
  ASSERT_EQ(entries.size(), 1u) << page;
  const std::string prefix = std::to_string(number) + " " + description + " LINE #";
  ASSERT_EQ(entries[0].rfind(prefix, 0), 0u) << entries[0];
  const std::string tail = entries[0].substr(prefix.size());
  const std::string line = tail.substr(0, tail.find(' '));
  EXPECT_GT(std::stol(line), 0);
  EXPECT_EQ(tail, line + " Routine : qmflobiaodantianx." + routine);
  EXPECT_EQ(page,
            " Error " + description + " LINE" + line + " Routine : qmflobiaodantianx." + routine);
}

}  // namespace test_support
