// Date and text formatting for every page: dates by tokens, the Chinese date line, text to HTML,
// tag stripping, quoting and cleaning, width-limited cuts, number and e-mail checks, identifiers.
// The page calls lwformatdatetime, mydategeshi, getlongtext and displaytext; the host may call
// RemoveHtml; the rest serve the office system's other pages.
#pragma once

#include <optional>

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// Each function runs under the error convention of PageContext::routine under its own name: a
// run-time error is written and logged, and the function returns what it had so far (Empty
// when nothing).

// --- dates (dates.cpp) ---

// Formats a date by the lower-case tokens yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s, replaced
// in that order wherever they stand in format (plain text replacement: "YYYY" stays, a "d" in a
// word becomes the day). A value that is not a date (IsDate), Empty and Null are returned as
// they are.
vb::Variant lwformatdatetime(PageContext& ctx, const vb::Variant& date, const vb::Variant& format);
// The same operation under its second name.
vb::Variant mydategeshi(PageContext& ctx, const vb::Variant& date, const vb::Variant& format);
// ctx.Now() as "2011年09月02日 星期五 09:05:07": today's weekday name, taken in a week that starts
// on Sunday, the order in which Weekday counts.
vb::Variant getsj(PageContext& ctx);
// Year-Month-Day without leading zeros ("2011-9-2"); a text that is not a date fails with 13.
vb::Variant formatdate(PageContext& ctx, const vb::Variant& date);

// --- text (text.cpp) ---

// "" and Null are returned as they are. Otherwise text becomes Server.HTMLEncode(text) with CR
// as "<br>", blanks as "&nbsp;", and the script and comment delimiters marked up; each step is
// written back, so the caller's variable ends up holding the result.
vb::Variant displaytext(PageContext& ctx, vb::Variant& text);
// Empty for Null or blank text; else as strtohtml.
vb::Variant getlongtext(PageContext& ctx, const vb::Variant& text);
// CR becomes "<br>", then every blank "&nbsp;". Null fails with 94.
vb::Variant strtohtml(PageContext& ctx, const vb::Variant& text);
// Textstr without the tags "<" + one character other than LF + anything but ">" + ">", so "<>"
// stays. Every step after copying the text skips a failure silently (nothing written or
// logged), so a text the expression cannot take (Null) comes back as it was.
vb::Variant RemoveHtml(PageContext& ctx, vb::Variant Textstr);
// Every "'" doubled; Null gives "".
vb::Variant checkstring(PageContext& ctx, vb::Variant text);
// The text without ' % ^ & ? ( ) < > [ ] / \ ; " and NUL (the comma stays); Null and "" give "".
vb::Variant replacebadchar(PageContext& ctx, const vb::Variant& text);
// A loop bound as the width and length loops compare it: a number, text read as a number, or
// nullopt for Null and for text that is not a number. Other values raise as CDbl does.
std::optional<double> loop_bound(const vb::Variant& bound);
// The longest start of text whose width fits `width`, a single-byte character counting 1 and a
// double-byte one 2 (code page 936); a fractional width compares as a number. Empty when width
// is Empty or Null, or when nothing fits; a width that is not a number lets the whole text
// through. Counts with ctx.ii, so a caller looping on ctx.ii sees its counter moved.
vb::Variant shrinklonginput(PageContext& ctx, const vb::Variant& text, const vb::Variant& width);

// --- values (values.cpp) ---

// Trims text and writes it back; the number it holds when every character is a digit ("007"
// gives 7), else 0. Null gives 0 without write-back. Counts with ctx.ii, like shrinklonginput.
vb::Variant to_number(PageContext& ctx, vb::Variant& text);
// True for one "@" between two non-empty parts of letters, digits, "_", "-" and ".", neither
// part beginning or ending with ".", a domain whose last part has 2 or 3 characters, and no
// "..". False otherwise.
vb::Variant isvalidemail(PageContext& ctx, const vb::Variant& address);
// value1 when condition is true, else value2 (a Null condition is false).
vb::Variant iif(PageContext& ctx, const vb::Variant& condition, const vb::Variant& value1,
                const vb::Variant& value2);
// A new random (version 4) GUID as 32 upper-case hexadecimal digits.
vb::Variant getuid(PageContext& ctx);
// Random characters from 0-9, A-Z, a-z, from a generator seeded from the clock, appended while
// the text is shorter than `length` (so 2.5 gives 3). The length is read as a number; Null or
// text that is not a number gives "".
vb::Variant gernd(PageContext& ctx, const vb::Variant& length);

}  // namespace library
