// Text functions: Len, Trim, LTrim, RTrim, LCase, UCase, Left, Right, Mid, InStr, InStrRev,
// Replace. Positions and lengths count characters (code points), so no cut splits one.
#include <clocale>
#include <cwctype>
#include <optional>

#include "vb/builtins.h"
#include "vb/utf8.h"

namespace vb {

namespace {

// The text of a string argument, or nullopt for Null (functions that pass Null through).
std::optional<std::string> text_or_null(const Variant& v, Here where) {
  Variant holder;
  const Variant& value = v.value_ref(holder, where);
  if (value.is_null()) return std::nullopt;
  return CStr(value, where);
}

// A count or position argument: Null raises 94, as CLng does.
long whole(const Variant& v, Here where) { return CLng(v, where); }

enum class Side { Left, Right, Both };

Variant trimmed(const Variant& s, Side side, Here where) {
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  std::size_t begin = side == Side::Right ? 0 : text->find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  std::size_t end = side == Side::Left ? text->size() : text->find_last_not_of(' ') + 1;
  return text->substr(begin, end - begin);
}

// The case tables of Unicode, from the C library's built-in C.UTF-8 locale, whatever locale
// the process runs in; null when the C library has none (then only A to Z change).
locale_t unicode_ctype() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  return locale;
}

char32_t with_case(char32_t c, bool upper) {
  if (c < 0x80 || unicode_ctype() == locale_t{}) {
    if (upper && c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (!upper && c >= 'A' && c <= 'Z') return c - 'A' + 'a';
    return c;
  }
  const wint_t w = static_cast<wint_t>(c);
  return static_cast<char32_t>(upper ? towupper_l(w, unicode_ctype())
                                     : towlower_l(w, unicode_ctype()));
}

// Every letter that has a case changes; other characters and invalid bytes stay as they are.
Variant with_case(const Variant& s, bool upper, Here where) {
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  std::string result;
  result.reserve(text->size());
  for (std::size_t pos = 0; pos < text->size();) {
    const std::size_t start = pos;
    const char32_t c = decode_utf8(*text, pos);
    const bool invalid_byte = c >= 0x80 && pos - start == 1;
    const char32_t changed = invalid_byte ? c : with_case(c, upper);
    if (changed == c) {
      result.append(*text, start, pos - start);
    } else {
      append_utf8(result, changed);
    }
  }
  return result;
}

// The byte offset of the first match of wanted at or after byte `from` (a character start)
// that covers whole characters, or npos. With valid UTF-8 every match does; an invalid byte
// counts as a character of its own, so it cannot match inside a valid sequence.
std::size_t find_whole(std::string_view text, std::string_view wanted, std::size_t from) {
  std::size_t boundary = from;  // the first character start at or after the bytes checked
  for (std::size_t found = text.find(wanted, from); found != std::string_view::npos;
       found = text.find(wanted, found + 1)) {
    while (boundary < found) skip_char(text, boundary);
    if (boundary != found) continue;
    std::size_t end = found;
    while (end < found + wanted.size()) skip_char(text, end);
    if (end == found + wanted.size()) return found;
  }
  return std::string_view::npos;
}

long char_position(std::string_view text, std::size_t byte_offset) {
  return char_count(text.substr(0, byte_offset)) + 1;
}

}  // namespace

Variant Len(const Variant& s, Here where) {
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  return char_count(*text);
}

Variant Trim(const Variant& s, Here where) { return trimmed(s, Side::Both, where); }
Variant LTrim(const Variant& s, Here where) { return trimmed(s, Side::Left, where); }
Variant RTrim(const Variant& s, Here where) { return trimmed(s, Side::Right, where); }
Variant LCase(const Variant& s, Here where) { return with_case(s, false, where); }
Variant UCase(const Variant& s, Here where) { return with_case(s, true, where); }

Variant Left(const Variant& s, const Variant& n, Here where) {
  long count = whole(n, where);
  if (count < 0) raise(kInvalidProcedureCall, where);
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  text->resize(char_offset(*text, count));
  return std::move(*text);
}

Variant Right(const Variant& s, const Variant& n, Here where) {
  long count = whole(n, where);
  if (count < 0) raise(kInvalidProcedureCall, where);
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  long length = char_count(*text);
  if (count >= length) return std::move(*text);
  return text->substr(char_offset(*text, length - count));
}

Variant Mid(const Variant& s, const Variant& start, Here where) {
  long first = whole(start, where);
  if (first <= 0) raise(kInvalidProcedureCall, where);
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  return text->substr(char_offset(*text, first - 1));
}

Variant Mid(const Variant& s, const Variant& start, const Variant& n, Here where) {
  long first = whole(start, where);
  long count = whole(n, where);
  if (first <= 0 || count < 0) raise(kInvalidProcedureCall, where);
  std::optional<std::string> text = text_or_null(s, where);
  if (!text) return Null;
  std::size_t begin = char_offset(*text, first - 1);
  std::size_t end = begin + char_offset(std::string_view(*text).substr(begin), count);
  return text->substr(begin, end - begin);
}

Variant InStr(const Variant& s1, const Variant& s2, Here where) { return InStr(1, s1, s2, where); }

Variant InStr(const Variant& start, const Variant& s1, const Variant& s2, Here where) {
  long first = whole(start, where);
  if (first < 1) raise(kInvalidProcedureCall, where);
  std::optional<std::string> text = text_or_null(s1, where);
  std::optional<std::string> wanted = text_or_null(s2, where);
  if (!text || !wanted) return Null;
  // Past the end when the text has fewer than `first` characters.
  const std::size_t from = char_offset(*text, first - 1);
  if (from == text->size()) return Long(0);
  if (wanted->empty()) return Long(static_cast<std::int32_t>(first));
  std::size_t found = find_whole(*text, *wanted, from);
  if (found == std::string::npos) return Long(0);
  return char_position(*text, found);
}

Variant InStrRev(const Variant& s1, const Variant& s2, const Variant& start, Here where) {
  long last = whole(start, where);
  if (last == 0 || last < -1) raise(kInvalidProcedureCall, where);
  std::optional<std::string> text = text_or_null(s1, where);
  std::optional<std::string> wanted = text_or_null(s2, where);
  if (!text || !wanted) return Null;
  long length = char_count(*text);
  if (last == -1) last = length;
  if (last > length) return Long(0);
  if (wanted->empty()) return last;
  // The last whole match that ends at or before the end of character `last`.
  const std::size_t end = char_offset(*text, last);
  std::size_t found = std::string::npos;
  for (std::size_t at = find_whole(*text, *wanted, 0);
       at != std::string::npos && at + wanted->size() <= end;) {
    found = at;
    decode_utf8(*text, at);  // on to the next character
    at = find_whole(*text, *wanted, at);
  }
  if (found == std::string::npos) return Long(0);
  return char_position(*text, found);
}

std::string Replace(const Variant& s, const Variant& find, const Variant& replacement,
                    const Variant& start, const Variant& count, Here where) {
  std::string text = CStr(s, where);
  std::string wanted = CStr(find, where);
  std::string with = CStr(replacement, where);
  long first = whole(start, where);
  long limit = whole(count, where);
  if (first < 1 || limit < -1) raise(kInvalidProcedureCall, where);

  std::string_view rest = std::string_view(text).substr(char_offset(text, first - 1));
  if (wanted.empty() || limit == 0) return std::string(rest);
  std::string result;
  result.reserve(rest.size());
  std::size_t from = 0;
  for (long done = 0; limit == -1 || done < limit; ++done) {
    std::size_t found = find_whole(rest, wanted, from);
    if (found == std::string_view::npos) break;
    result.append(rest, from, found - from);
    result += with;
    from = found + wanted.size();
  }
  result.append(rest, from);
  return result;
}

}  // namespace vb
