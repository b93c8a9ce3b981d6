// Fuzzes the VB conversions and text functions: IsNumeric agrees with CDbl and IsDate with
// CDate, numbers and dates read back from the text CStr writes, and the text functions count
// and cut whole characters.
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "vb/builtins.h"
#include "vb/calendar.h"

namespace {

// `is` (IsNumeric or IsDate) agrees with `convert` (CDbl or CDate), and what CStr writes of the
// value `is` accepts and converts back to the same text.
template <class Is, class Convert>
void check_text_reads_back(const vb::Variant& text, Is is, Convert convert) {
  bool converts = true;
  vb::Variant value;
  try {
    value = convert(text);
  } catch (const vb::VbError&) {
    converts = false;
  }
  fuzz::require(is(text) == converts);
  if (!converts) return;
  const std::string written = vb::CStr(value);
  fuzz::require(is(written));
  fuzz::require(vb::CStr(convert(written)) == written);
}

void check_written_values(double number) {
  // Past 1.79769313486231E+308 the 15 digits CStr writes round beyond the range of a Double.
  if (std::fabs(number) <= 1.79769313486231e308) {
    const std::string written = vb::CStr(number);
    fuzz::require(vb::CStr(vb::CDbl(written)) == written);
  }
  if (vb::in_date_range(number)) {
    const std::string written = vb::CStr(vb::Date{number});
    fuzz::require(vb::CStr(vb::CDate(written)) == written);
  }
}

// Every cut falls between characters: the pieces join to the whole text again.
void check_text_functions(const std::string& text) {
  const long length = vb::CLng(vb::Len(text));
  fuzz::require(vb::CLng(vb::Len(vb::UCase(text))) == length);
  fuzz::require(vb::CLng(vb::Len(vb::LCase(text))) == length);
  if (length > 64) return;
  std::string characters;
  for (long i = 1; i <= length; ++i) {
    const vb::Variant one = vb::Mid(text, i, 1);
    fuzz::require(vb::CLng(vb::Len(one)) == 1);
    characters += vb::CStr(one);
    const long found = vb::CLng(vb::InStr(text, one));
    fuzz::require(found >= 1 && found <= i);
    fuzz::require(vb::CLng(vb::InStrRev(text, one)) >= i);
  }
  fuzz::require(characters == text);
  for (long k = 0; k <= length; ++k) {
    const std::string left = vb::CStr(vb::Left(text, k));
    const std::string rest = vb::CStr(vb::Mid(text, k + 1));
    fuzz::require(left + rest == text);
    fuzz::require(vb::CStr(vb::Right(text, length - k)) == rest);
    fuzz::require(vb::Replace(text, "\x01", "", k + 1) == rest ||
                  rest.find('\x01') != std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(fuzz::as_text(data, size));
  check_text_reads_back(text, vb::IsNumeric, [](const vb::Variant& v) { return vb::CDbl(v); });
  check_text_reads_back(text, vb::IsDate, [](const vb::Variant& v) { return vb::CDate(v); });
  check_text_functions(text);
  if (size >= sizeof(double)) {
    double number;
    std::memcpy(&number, data, sizeof number);
    check_written_values(number);
  }
  return 0;
}
