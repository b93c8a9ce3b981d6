// Rewrites a pattern in the script engine's syntax into PCRE2 syntax with the same meaning.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::regexp {

// The PCRE2 form of pattern, to be compiled with PCRE2_UTF, PCRE2_ALT_BSUX,
// PCRE2_ALLOW_EMPTY_CLASS, PCRE2_MATCH_UNSET_BACKREF and line feed as the only newline.
// What it changes: a { that does not start a quantifier and a [ inside a class become literal;
// an escaped letter without a meaning in the script engine is the letter itself; \v is the
// vertical tab; ^ and $ mean the start and end of the text, or with multi_line also the places
// after and before a line feed or carriage return; (.|\n)* and (.|\n)*? become an equivalent
// repeat of a single-character class, so long texts need no backtracking frame per character.
// nullopt for what the script engine rejects but PCRE2 would accept: (? followed by anything
// but :, = or !, possessive quantifiers, a trailing backslash, an unterminated class. Other
// errors are left for PCRE2 to report.
std::optional<std::string> to_pcre2(std::string_view pattern, bool multi_line);

}  // namespace platform::regexp
