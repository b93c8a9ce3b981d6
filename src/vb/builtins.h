// The VB built-in functions the page uses: conversions, type tests, text, arrays and dates.
// Return types follow VB's typing: functions VB declares as typed (CStr, CInt, Replace, IsNull...)
// return C++ types, which compare with a Variant by the typed rules; the others return Variant.
// Text arguments and results are UTF-8; positions and lengths count characters (code points),
// so no function splits one.
// Every function may be called from concurrent request threads.
#pragma once

#include <cstdint>
#include <string>

#include "vb/variant.h"

namespace vb {

// ---- Conversions. Null raises 94, non-numeric text 13, out of range 6; Empty is 0 / "".

// Text as VB writes the value: 15 significant digits for a Double, True/False, dates as
// "2011-9-2 9:05:07" (date only at midnight, time only on day 0).
std::string CStr(const Variant& v, Here where = Here::current());
// Whole numbers round half to even: CInt(2.5) is 2, CInt(3.5) is 4.
std::int16_t CInt(const Variant& v, Here where = Here::current());
// A VB Long: the value is always inside the 32-bit range.
long CLng(const Variant& v, Here where = Here::current());
double CDbl(const Variant& v, Here where = Here::current());
// Numbers: non-zero is True; text "True"/"False" (any case) or numeric text, else 13.
bool CBool(const Variant& v, Here where = Here::current());
// Numbers are day serials; text goes through the date reader (yyyy-M-d [H:mm[:ss]], M/d/yyyy,
// a time alone); 6 outside the years 100..9999.
Date CDate(const Variant& v, Here where = Here::current());
// Int rounds toward minus infinity, Fix toward zero; both keep the subtype (text becomes
// Double), Null gives Null, Empty 0.
Variant Int(const Variant& v, Here where = Here::current());
Variant Fix(const Variant& v, Here where = Here::current());

// ---- Type tests (never raise; an object is judged by its default value where VB does).

bool IsNull(const Variant& v);
bool IsEmpty(const Variant& v);
// True for Empty, numbers and Booleans, and text the number reader accepts whole
// (" 12 ", "1e5", "1,000", "&H1F"); False for Null, "", dates and arrays.
bool IsNumeric(const Variant& v);
// True for a Date and for date text; False for numbers, Empty and Null.
bool IsDate(const Variant& v);
bool IsObject(const Variant& v);
bool IsArray(const Variant& v);
// The VarType number (8204 for arrays) and the TypeName text ("Nothing" for a null object).
int VarType(const Variant& v);
std::string TypeName(const Variant& v);

// ---- Text. Null in gives Null out unless noted; numbers and dates are measured as text.

Variant Len(const Variant& s, Here where = Here::current());
// Remove U+0020 blanks only; tabs, line breaks and ideographic spaces stay.
Variant Trim(const Variant& s, Here where = Here::current());
Variant LTrim(const Variant& s, Here where = Here::current());
Variant RTrim(const Variant& s, Here where = Here::current());
// Every letter that has a case (Latin with accents, Greek, Cyrillic, full-width Latin...);
// every other character is unchanged.
Variant LCase(const Variant& s, Here where = Here::current());
Variant UCase(const Variant& s, Here where = Here::current());
// n < 0 raises 5, n Null 94.
Variant Left(const Variant& s, const Variant& n, Here where = Here::current());
Variant Right(const Variant& s, const Variant& n, Here where = Here::current());
// start <= 0 or n < 0 raises 5; start past the end gives "".
Variant Mid(const Variant& s, const Variant& start, Here where = Here::current());
Variant Mid(const Variant& s, const Variant& start, const Variant& n, Here where = Here::current());
// Position of s2 in s1 (1-based), 0 when absent; "" is found at start. start < 1 raises 5.
Variant InStr(const Variant& s1, const Variant& s2, Here where = Here::current());
Variant InStr(const Variant& start, const Variant& s1, const Variant& s2,
              Here where = Here::current());
// Searches backwards; a match must end at or before start (-1: the end). start 0 or < -1
// raises 5. A Null text gives Null.
Variant InStrRev(const Variant& s1, const Variant& s2, const Variant& start = -1,
                 Here where = Here::current());
// Replaces left to right without rescanning; the result begins at start. count -1 means all.
// Any Null text raises 94; start < 1 or count < -1 raises 5.
std::string Replace(const Variant& s, const Variant& find, const Variant& replacement,
                    const Variant& start = 1, const Variant& count = -1,
                    Here where = Here::current());
// A 0-based array of texts. Split("") has UBound -1; delim "" gives one element; empty parts
// are kept; limit k gives at most k parts. Null raises 94.
Variant Split(const Variant& s, const Variant& delim = " ", const Variant& limit = -1,
              Here where = Here::current());
// Elements converted to text and joined; a non-array raises 13, a Null element 94, a Null
// array gives Null.
Variant Join(const Variant& arr, const Variant& delim = " ", Here where = Here::current());
// Code-page-936 code of the first character: single-byte 0..127 (128 for the euro sign),
// double-byte as a negative Integer (Asc("中") is -10544); no CP936 form gives 63. "" raises 5.
std::int16_t Asc(const Variant& s, Here where = Here::current());
// The UTF-16 unit of the first character as a signed 16-bit number (AscW("中") is 20013).
std::int16_t AscW(const Variant& s, Here where = Here::current());
// Character of a code-page-936 code, signed (-10544) or unsigned (54992); invalid codes raise 5.
Variant Chr(const Variant& code, Here where = Here::current());

// ---- Arrays.

// Bounds of an array: 13 for a non-array, 9 for an array never sized.
long UBound(const Variant& arr, Here where = Here::current());
long LBound(const Variant& arr, Here where = Here::current());
// `ReDim v(upper)`: a fresh array of upper + 1 Empty elements; upper < 0 raises 9.
void ReDim(Variant& v, long upper, Here where = Here::current());
// `ReDim Preserve v(upper)`: keeps the elements up to upper; v must be an array (13).
void ReDimPreserve(Variant& v, long upper, Here where = Here::current());

// ---- Dates. Arguments may be Dates, numbers or date text (13 otherwise); Null gives Null,
// Empty is 1899-12-30 00:00.

inline constexpr int vbUseSystem = 0;
inline constexpr int vbSunday = 1;
inline constexpr int vbMonday = 2;
inline constexpr int vbTuesday = 3;
inline constexpr int vbWednesday = 4;
inline constexpr int vbThursday = 5;
inline constexpr int vbFriday = 6;
inline constexpr int vbSaturday = 7;

// The local clock to the whole second; Date_ is today at 00:00 (Date is a type name here);
// Time is the time of day on day 0.
Variant Now();
Variant Date_();
Variant Time();
Variant Year(const Variant& d, Here where = Here::current());
Variant Month(const Variant& d, Here where = Here::current());
Variant Day(const Variant& d, Here where = Here::current());
Variant Hour(const Variant& d, Here where = Here::current());
Variant Minute(const Variant& d, Here where = Here::current());
Variant Second(const Variant& d, Here where = Here::current());
// 1..7 counted from first (default Sunday = 1); first 0 means the system's Monday.
Variant Weekday(const Variant& d, int first = vbSunday, Here where = Here::current());
// Name of the n-th day of a week starting on first; the default is the system's week, which
// starts on Monday: WeekdayName(1) is "星期一". n outside 1..7 raises 5.
std::string WeekdayName(const Variant& n, bool abbreviate = false, int first = vbUseSystem,
                        Here where = Here::current());
// Boundaries crossed from d1 to d2 in the interval "yyyy", "q", "m", "y", "d", "w", "ww", "h",
// "n" or "s" (any case; others raise 5): DateDiff("n", 17:30:59, 17:31:00) is 1.
Variant DateDiff(const Variant& interval, const Variant& d1, const Variant& d2,
                 int first = vbSunday, Here where = Here::current());
// Adds n intervals; months and years keep the day, clamped to the month's end. A result
// outside the years 100..9999 raises 5.
Variant DateAdd(const Variant& interval, const Variant& n, const Variant& d,
                Here where = Here::current());
// Months and days outside their range roll over (DateSerial(2011, 13, 1) is 2012-1-1); years
// 0..29 are 2000..2029 and 30..99 are 1930..1999.
Variant DateSerial(const Variant& year, const Variant& month, const Variant& day,
                   Here where = Here::current());

}  // namespace vb
