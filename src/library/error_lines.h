// Line numbers in the error texts of the page: one running numbering over all its source files.
//
// An error names its statement as "LINE<n>" under a routine name, and the phases of I_init all
// report under "I_init", so a bare C++ line would name one line in each of several files. Each
// source file whose statements run under the page's routines therefore owns a range of
// kLinesPerFile numbers, and the number written is the range's first number plus the line in
// the file: LINE203045 is line 3045 - 3000 = 45 of the file whose range starts at 203000. The
// ranges follow the page's combined source: the library first, then frames, handling and the
// page itself. The lines in the files stay as they are, so compiler diagnostics, debuggers and
// VbError::line() keep the real line.
//
// A new source file under src/library, src/frames, src/handling or src/page takes its range by
// adding one row to kRanges in error_lines.cpp: its path below src/ and the next free multiple
// of 1000 in its group, e.g. {"page/fields/field_loop.cpp", 214000}. Keep the file under 1000 lines
// (split it past 500 anyway). error_lines_test fails for a file without a range, for a file that
// outgrows its range and for two files sharing one.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace library {

inline constexpr long kLinesPerFile = 1000;

// The number an error text gives for `line` of `file` (a path as std::source_location names
// it, or one below src/): the file's first number plus the line. A file without a range keeps
// its line, and line 0 (unknown) stays 0.
long page_line(std::string_view file, long line);

// The first number of the range of `file`, or nullopt when it has none.
std::optional<long> line_range_start(std::string_view file);

// Every range, in the order of the combined source.
struct LineRange {
  std::string_view file;  // path below src/, e.g. "page/scripts/head.cpp"
  long start;
};
std::span<const LineRange> line_ranges();

}  // namespace library
