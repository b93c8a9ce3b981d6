// Text between the program's UTF-8 and the UTF-16 of the ODBC wide-character calls.
#pragma once

#include <string>
#include <string_view>

namespace platform::ado {

// An invalid UTF-8 byte becomes U+FFFD.
std::u16string to_utf16(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string from_utf16(std::u16string_view utf16);

}  // namespace platform::ado
