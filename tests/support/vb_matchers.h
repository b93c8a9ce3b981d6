// Test helpers for Variants and for code that raises vb::VbError: print a value with its
// subtype, assert the exact error number (and text).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "vb/builtins.h"
#include "vb/error.h"

namespace vb {
// Lets GoogleTest print a Variant in failure messages: `Integer 5`, `String "a"`, `Null`.
inline void PrintTo(const Variant& v, std::ostream* os) {
  *os << TypeName(v);
  if (v.is_string())
    *os << " \"" << v.str() << "\"";
  else if (v.is_numeric_type())
    *os << " " << CStr(v);
}
}  // namespace vb

namespace test_support {
// A value as "<TypeName>:<text>" ("Integer:1", "Boolean:False", "Empty:", "Null:"), so one
// comparison pins both the subtype and the value.
inline std::string typed(const vb::Variant& v) {
  return vb::TypeName(v) + ":" + (vb::IsNull(v) ? std::string() : vb::CStr(v));
}
}  // namespace test_support

// Expects the expression to raise VbError `expected_number`. The expression may hold commas.
#define EXPECT_VB_ERROR(expected_number, ...)                                                 \
  do {                                                                                        \
    try {                                                                                     \
      static_cast<void>(__VA_ARGS__);                                                         \
      ADD_FAILURE() << "expected VB error " << (expected_number) << " from " << #__VA_ARGS__; \
    } catch (const ::vb::VbError& vb_error_) {                                                \
      EXPECT_EQ(static_cast<long>(expected_number), vb_error_.number())                       \
          << #__VA_ARGS__ << " raised: " << vb_error_.description();                          \
    }                                                                                         \
  } while (0)

// Expects VbError `expected_number` with exactly the description `text`.
#define EXPECT_VB_ERROR_TEXT(expected_number, text, ...)                                      \
  do {                                                                                        \
    try {                                                                                     \
      static_cast<void>(__VA_ARGS__);                                                         \
      ADD_FAILURE() << "expected VB error " << (expected_number) << " from " << #__VA_ARGS__; \
    } catch (const ::vb::VbError& vb_error_) {                                                \
      EXPECT_EQ(static_cast<long>(expected_number), vb_error_.number()) << #__VA_ARGS__;      \
      EXPECT_EQ(std::string(text), vb_error_.description()) << #__VA_ARGS__;                  \
    }                                                                                         \
  } while (0)
