// The one error type: a VB run-time error with its number, description and the line of the
// statement that failed. The page-stop signal is the same type with number -19691969.
#pragma once

#include <source_location>
#include <stdexcept>
#include <string>

namespace vb {

// The caller's position, taken by every failing vb and platform function as a trailing
// defaulted argument (`Here where = Here::current()`) so that an error names the caller's line.
using Here = std::source_location;

// Numbers the runtime raises, with their standard English descriptions.
inline constexpr long kInvalidProcedureCall = 5;
inline constexpr long kOverflow = 6;
inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kDivisionByZero = 11;
inline constexpr long kTypeMismatch = 13;
inline constexpr long kObjectNotSet = 91;
inline constexpr long kInvalidUseOfNull = 94;
inline constexpr long kObjectRequired = 424;
inline constexpr long kCannotCreateObject = 429;
inline constexpr long kNoSuchMember = 438;
// The page body raises this after writing its last message; handlers pass it on unchanged.
inline constexpr long kPageStop = -19691969;

class VbError : public std::runtime_error {
 public:
  // `line` is the source line of the failing statement in page or library code, in the source
  // file `file` (as std::source_location names it; "" when unknown); 0 when the failure happened
  // inside an operator (`+`, `==`, `&`, `[]`), which cannot see its caller and raises with
  // `Here{}`.
  VbError(long number, std::string description, long line, const char* file = "")
      : std::runtime_error(description),
        number_(number),
        description_(std::move(description)),
        line_(line),
        file_(file) {}
  VbError(long number, std::string description, Here where = Here::current())
      : VbError(number, std::move(description), static_cast<long>(where.line()),
                where.file_name()) {}

  long number() const { return number_; }
  const std::string& description() const { return description_; }
  long line() const { return line_; }
  // The source file of line(): a string of static storage, never null.
  const char* file() const { return file_; }
  bool is_page_stop() const { return number_ == kPageStop; }

 private:
  long number_;
  std::string description_;
  long line_;
  const char* file_;
};

// The standard English description of a runtime error number ("Type mismatch" for 13), or
// "Application-defined or object-defined error" for a number the runtime does not know.
std::string error_description(long number);

// Raises the runtime error `number` with its standard description, at the caller's line.
[[noreturn]] void raise(long number, Here where = Here::current());

}  // namespace vb
