// Fuzzes the pattern conversion to PCRE2 and the RegExp object: any pattern and text either
// raise a VB error or give matches that lie inside the text, at whole characters.

#include "fuzz/fuzz_support.h"
#include "platform/regexp/regexp.h"
#include "platform/regexp/script_syntax.h"
#include "vb/builtins.h"

// The input is: one flags byte, then the pattern, a NUL, and the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const unsigned flags = data[0];
  const std::string_view rest(fuzz::as_text(data + 1, size - 1));
  const std::size_t split = rest.find('\0');
  const std::string pattern(rest.substr(0, split));
  const std::string text(split == std::string_view::npos ? "" : rest.substr(split + 1));

  platform::regexp::to_pcre2(pattern, (flags & 4) != 0);
  platform::regexp::RegExp re;
  re.Pattern = pattern;
  re.IgnoreCase = (flags & 1) != 0;
  re.Global = (flags & 2) != 0;
  re.MultiLine = (flags & 4) != 0;
  try {
    const bool found = re.Test(text);
    const auto matches = re.Execute(text);
    fuzz::require(found == (matches->Count() > 0));
    const long length = vb::CLng(vb::Len(text));
    for (const auto& match : *matches) {
      fuzz::require(match->FirstIndex >= 0 && match->Length >= 0);
      fuzz::require(match->FirstIndex + match->Length <= length);
      fuzz::require(vb::CStr(vb::Mid(text, match->FirstIndex + 1, match->Length)) == match->Value);
    }
    re.Replace(text, "[$1$&]");
  } catch (const vb::VbError&) {
    // A pattern the script engine rejects, or a match that runs too long: both are VB errors.
  }
  return 0;
}
