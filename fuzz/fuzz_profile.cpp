// The settings-file reader and writer against arbitrary file contents.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/profile/ini_text.h"
#include "platform/profile/profile.h"

namespace {

bool PlainName(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c == '=' || c == '[' || c == ']' || c == '\r' || c == '\n' || c == ' ' || c == '\t' ||
        c == ';' || c == '\0') {
      return false;
    }
  }
  return true;
}

bool PlainValue(const std::string& s) {
  for (char c : s) {
    if (c == '\r' || c == '\n' || c == '\0') return false;
  }
  if (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t'))
    return false;
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Input: KEY \x01 VALUE \x01 FILE TEXT
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t a = input.find('\x01');
  size_t b = a == std::string::npos ? std::string::npos : input.find('\x01', a + 1);
  std::string key = a == std::string::npos ? "Host" : input.substr(0, a);
  std::string value = b == std::string::npos ? "v" : input.substr(a + 1, b - a - 1);
  std::string text = b == std::string::npos ? input : input.substr(b + 1);

  using platform::profile::FindValue;
  using platform::profile::SetValue;
  (void)FindValue(text, "CONFIG", key);
  if (PlainName(key) && PlainValue(value)) {
    std::string updated = SetValue(text, "CONFIG", key, value);
    auto found = FindValue(updated, "CONFIG", key);
    // The first matching key in the first matching section holds the value.
    if (!found || *found != value) std::abort();
  }

  // The file layer: reads with small buffers, then a write.
  static std::string dir = [] {
    char tmpl[] = "/tmp/kdx-fuzz-XXXXXX";
    std::string d = mkdtemp(tmpl);
    setenv("XDG_CONFIG_HOME", d.c_str(), 1);
    return d;
  }();
  std::ofstream(dir + "/F.INI", std::ios::binary | std::ios::trunc) << text;
  char buf[6];
  int n =
      platform::profile::GetPrivateProfileString("CONFIG", "Port", "", buf, sizeof buf, "F.INI");
  if (n < 0 || n > 5 || buf[n] != '\0') std::abort();
  if (PlainValue(value))
    platform::profile::WritePrivateProfileString("CONFIG", "Port", value.c_str(), "F.INI");
  return 0;
}
