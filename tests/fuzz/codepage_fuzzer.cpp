// Fuzzes the code page 936 conversions: any bytes convert both ways into valid text, and text
// that leaves as code page 936 reads back as the same text, its missing characters as "&#N;".

#include "fuzz/fuzz_support.h"
#include "vb/codepage.h"
#include "vb/utf8.h"

namespace {

// The text as the browser shows the page: each character the code page lacks as "&#N;".
std::string as_sent(std::string_view utf8) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    const char32_t c = vb::decode_utf8(utf8, pos);
    const std::string_view character = utf8.substr(start, pos - start);
    if (vb::cp936_bytes(character)) {
      out += character;
    } else {
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(fuzz::as_text(data, size));
  // A request value read as code page 936 is valid text, and the page can send it back.
  const std::string decoded = vb::from_cp936(bytes);
  fuzz::require(fuzz::valid_utf8(decoded));
  fuzz::require(vb::from_cp936(vb::to_cp936(decoded)) == as_sent(decoded));
  // Any bytes at all leave as code page 936 that reads back as valid text.
  fuzz::require(fuzz::valid_utf8(vb::from_cp936(vb::to_cp936(bytes))));
  return 0;
}
