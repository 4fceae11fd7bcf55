#include "platform/text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace platform::text {
namespace {

// One converter per direction; iconv handles are not reentrant, so each use
// takes the lock. The texts are short and conversions rare.
struct Converter {
  iconv_t cd;
  std::mutex lock;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

std::string Convert(Converter& conv, std::string_view in, std::string_view replacement,
                    size_t (*invalidLength)(std::string_view)) {
  std::string out;
  if (in.empty()) return out;
  std::lock_guard<std::mutex> guard(conv.lock);
  if (conv.cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
  std::string buffer(in);
  char* src = buffer.data();
  size_t srcLeft = buffer.size();
  char tmp[256];
  while (srcLeft > 0) {
    char* dst = tmp;
    size_t dstLeft = sizeof tmp;
    size_t rc = iconv(conv.cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(tmp, static_cast<size_t>(dst - tmp));
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (truncated at the end): skip the bad input, mark it.
    size_t skip = invalidLength(std::string_view(src, srcLeft));
    out.append(replacement);
    src += skip;
    srcLeft -= skip;
    iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* dst = tmp;
  size_t dstLeft = sizeof tmp;
  iconv(conv.cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(tmp, static_cast<size_t>(dst - tmp));
  return out;
}

size_t Cp932BadLength(std::string_view s) {
  unsigned char lead = static_cast<unsigned char>(s[0]);
  bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  // A lead byte followed by a bad trail byte loses only the lead byte, so an
  // ASCII character after it survives.
  if (isLead && s.size() >= 2) {
    unsigned char trail = static_cast<unsigned char>(s[1]);
    if (trail >= 0x40 && trail != 0x7F && trail <= 0xFC) return 2;
  }
  return 1;
}

size_t Utf8BadLength(std::string_view s) {
  unsigned char lead = static_cast<unsigned char>(s[0]);
  size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (len > s.size()) return s.size();
  for (size_t i = 1; i < len; ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
  }
  return len;  // well-formed but has no code page 932 form
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  static Converter conv("UTF-8", "CP932");
  return Convert(conv, cp932, "\xEF\xBF\xBD", Cp932BadLength);
}

std::string Utf8ToCp932(std::string_view utf8) {
  static Converter conv("CP932", "UTF-8");
  return Convert(conv, utf8, "?", Utf8BadLength);
}

}  // namespace platform::text
